#include "SourceScanner.h"

#include "PPToken.h"
#include "ScannerLexer.h"
#include "TokenType.h"

#include <new>

namespace {

bool CarriesText(int type)
{
    return (type >= STRINGS && type <= IDENTIFIER) || type == H_CHAR || type == Q_CHAR;
}

} // namespace

void CSourceScanner::Scan(std::istream& in, std::vector<PPToken>& out, MessageSink& messages) const
{
    KestrinLexer lexer(&in, stopRequest_);
    const std::size_t start = out.size();
    try {
        for (;;) {
            const int type = lexer.yylex();
            if (type == 0) {
                break;
            }
            const std::size_t count = out.size() - start;
            if (count >= tokenBudget_ && count * 10 >= lexer.BytesRead() * kTokensPerTenBytes) {
                out.emplace_back(lexer.Line(), LEXERROR, nullptr);
                MessageLine(messages, MessageKind::Error)
                    << "Scanner stopped: more than " << count
                    << " tokens, far more than source code has for its size: the rest is not "
                       "read (line "
                    << lexer.Line() << ")";
                break;
            }
            if (CarriesText(type) && lexer.HasText() && texts_ != nullptr) {
                out.emplace_back(lexer.Line(), type, nullptr);
                try {
                    out.back().text = texts_->Place(lexer.Text(), lexer.TextLength());
                } catch (...) {
                    out.pop_back(); // no token without its text
                    throw;
                }
            } else if (CarriesText(type) && lexer.HasText()) {
                out.emplace_back(lexer.Line(), type, lexer.Text(), lexer.TextLength());
            } else {
                out.emplace_back(lexer.Line(), type, nullptr);
            }
        }
    } catch (const ScanStopped&) {
        // The run was stopped: what was read so far is dropped with the run.
    } catch (const ScannerFailure& failure) {
        out.emplace_back(lexer.Line(), LEXERROR, nullptr);
        MessageLine(messages, MessageKind::Error) << "Scanner stopped: " << failure.what();
    } catch (const std::bad_alloc&) {
        out.emplace_back(lexer.Line(), LEXERROR, nullptr);
        MessageLine(messages, MessageKind::Error) << "Scanner stopped: out of memory";
    }
}

const CTokenScanner& GetSourceScanner()
{
    static const CSourceScanner scanner;
    return scanner;
}
