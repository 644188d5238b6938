#include "XmlDocument.h"

#include "AtomicFile.h"

namespace {

constexpr int kEnd = -1;

[[noreturn]] void Fail(const char* text)
{
    throw XmlFileError(text);
}

// Recursive-descent reader over the file's bytes. Looking ahead never
// consumes; every loop consumes at least one byte or ends at the end of the
// text, so no input can make it hang.
class XmlReader {
public:
    explicit XmlReader(std::string_view text) : text_(text) { }

    void ReadDocument(CXmlElement& root)
    {
        ReadHeader();
        ReadElement(root, 1);
        // Whatever follows the root element is not read.
    }

private:
    int Peek(size_t ahead = 0) const
    {
        size_t at = pos_ + ahead;
        return at < text_.size() ? static_cast<unsigned char>(text_[at]) : kEnd;
    }

    // Counts one more element or attribute.
    void CountItem()
    {
        if (++items_ > kXmlMaxItems)
            Fail("file read too many elements error");
    }

    bool LookingAt(const char* two) const { return Peek() == two[0] && Peek(1) == two[1]; }

    static bool IsWhiteSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    static bool IsNameCharacter(int c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_';
    }

    void SkipWhiteSpace()
    {
        while (IsWhiteSpace(Peek()))
            ++pos_;
    }

    // Up to count characters; a line end stops the read early.
    std::string_view ReadCharacters(size_t count)
    {
        size_t start = pos_;
        while (pos_ - start < count && Peek() != kEnd && Peek() != '\n' && Peek() != '\r')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    void ReadHeader()
    {
        if (ReadCharacters(5) != "<?xml")
            Fail("file header read error");
        SkipWhiteSpace();
        if (ReadCharacters(8) != "version=")
            Fail("file header read error");
        std::string version;
        if (!ReadQuotedValue(version))
            Fail("file header read error");
        if (ReadCharacters(2) != "?>")
            Fail("file header read error");
    }

    std::string ReadName()
    {
        size_t start = pos_;
        for (;;) {
            int c = Peek();
            if (c == kEnd)
                Fail("file reach eof after identifier");
            if (!IsNameCharacter(c))
                break;
            ++pos_;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    // False (nothing consumed) when no double quote comes next.
    bool ReadQuotedValue(std::string& value)
    {
        if (Peek() != '"')
            return false;
        ++pos_;
        size_t close = text_.find('"', pos_);
        if (close == std::string_view::npos)
            Fail("file reach eof on string");
        value.assign(text_.substr(pos_, close - pos_));
        pos_ = close + 1;
        return true;
    }

    // A name, then an optional ="value".
    void ReadNameAndValue(
        std::string& name, std::string& value, const char* nameError, const char* valueError)
    {
        name = ReadName();
        if (name.empty())
            Fail(nameError);
        if (Peek() == '=') {
            ++pos_;
            if (!ReadQuotedValue(value))
                Fail(valueError);
        }
    }

    void ReadElement(CXmlElement& element, int depth)
    {
        if (depth > kXmlMaxNesting)
            Fail("file read element nesting too deep error");
        CountItem();

        SkipWhiteSpace();
        if (Peek() != '<')
            Fail("file read start element error");
        ++pos_;
        ReadNameAndValue(element.name, element.value, "file read element identifier error",
            "file read element value identifier error");

        SkipWhiteSpace();
        while (Peek() != '>' && !LookingAt("/>")) {
            CountItem();
            CXmlAttribute& attribute = element.attributes.emplace_back();
            ReadNameAndValue(attribute.name, attribute.value,
                "file read attribute name identifier error",
                "file read attribute value identifier error");
            SkipWhiteSpace();
        }

        if (LookingAt("/>")) {
            pos_ += 2;
            return;
        }
        if (Peek() != '>')
            Fail("file read element unknown token error");
        ++pos_;

        SkipWhiteSpace();
        while (!LookingAt("</")) {
            element.children.emplace_back();
            ReadElement(element.children.back(), depth + 1);
            SkipWhiteSpace();
        }

        pos_ += 2;
        std::string endName = ReadName();
        if (endName.empty())
            Fail("file read element end identifier error");
        if (endName != element.name)
            Fail("file read element start,end identifier not match error");
        if (Peek() != '>')
            Fail("file read end element error");
        ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
    size_t items_ = 0;
};

void FormatElement(const CXmlElement& element, std::string& out)
{
    out += '<';
    out += element.name;
    if (!element.value.empty()) {
        out += "=\"";
        out += element.value;
        out += '"';
    }
    for (const CXmlAttribute& attribute : element.attributes) {
        out += ' ';
        out += attribute.name;
        out += "=\"";
        out += attribute.value;
        out += '"';
    }
    if (element.children.empty()) {
        out += "/>\r\n";
        return;
    }
    out += ">\r\n";
    for (const CXmlElement& child : element.children)
        FormatElement(child, out);
    out += "</";
    out += element.name;
    out += ">\r\n";
}

} // namespace

std::string CXmlDocument::Format() const
{
    std::string out = "<?xml version=\"1.0\"?>\r\n";
    FormatElement(root, out);
    return out;
}

void CXmlDocument::Save(const std::string& path) const
{
    if (!WriteFileAtomically(path, Format()))
        Fail("file write error");
}

void CXmlDocument::Parse(std::string_view text)
{
    root.Clear();
    XmlReader(text).ReadDocument(root);
}

void CXmlDocument::Load(const std::string& path)
{
    std::string text;
    if (ReadWholeFile(path, text, kXmlMaxFileSize) != ReadResult::Ok)
        Fail("file load error");
    Parse(text);
}
