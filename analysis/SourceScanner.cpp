#include "SourceScanner.h"

#include "PPToken.h"
#include "ScannerLexer.h"
#include "TokenType.h"

#include <new>
#include <utility>

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
            if (!CarriesText(type) || !lexer.HasText()) {
                out.emplace_back(lexer.Line(), type, nullptr);
            } else if (texts_ == nullptr) {
                out.emplace_back(lexer.Line(), type, lexer.Text(), lexer.TextLength());
            } else {
                // Should the list fail to grow, the token gives its text back.
                PPToken token(lexer.Line(), type, nullptr);
                token.text = texts_->Place(lexer.Text(), lexer.TextLength());
                out.push_back(std::move(token));
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
