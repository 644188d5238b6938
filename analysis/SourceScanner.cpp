#include "SourceScanner.h"

#include "MacroDefinition.h"
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

// A '(' after a blank, right after the name of a #define.
bool OpensObjectLikeBody(
    const KestrinLexer& lexer, int type, const std::vector<PPToken>& out, std::size_t start)
{
    if (type != LP || !lexer.BlankBefore() || out.size() - start < 3) {
        return false;
    }
    const std::size_t n = out.size();
    return out[n - 1].type != ENDLINE && out[n - 2].type == WORD_DEFINE && out[n - 3].type == SHARP;
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
            const char* text = nullptr;
            std::size_t length = 0;
            if (OpensObjectLikeBody(lexer, type, out, start)) {
                text = kObjectLikeBodyParen;
                length = 1;
            } else if (CarriesText(type) && lexer.HasText()) {
                text = lexer.Text();
                length = lexer.TextLength();
            }
            if (text == nullptr) {
                out.emplace_back(lexer.Line(), type, nullptr);
            } else if (texts_ == nullptr) {
                out.emplace_back(lexer.Line(), type, text, length);
            } else {
                // Should the list fail to grow, the token gives its text back.
                PPToken token(lexer.Line(), type, nullptr);
                token.text = texts_->Place(text, length);
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
