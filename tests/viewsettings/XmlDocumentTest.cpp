#include "XmlDocument.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

// The text of the error that parsing throws, or "" when it succeeds.
std::string ParseError(const std::string& text)
{
    CXmlDocument document;
    try {
        document.Parse(text);
    } catch (const XmlFileError& error) {
        return error.what();
    }
    return {};
}

CXmlElement ParseRoot(const std::string& text)
{
    CXmlDocument document;
    document.Parse(text);
    return document.root;
}

std::string Nested(int depth)
{
    std::string text = "<?xml version=\"1.0\"?>\n";
    for (int i = 0; i < depth; ++i)
        text += "<E>";
    for (int i = 0; i < depth; ++i)
        text += "</E>";
    return text;
}

const char* kHeader = "<?xml version=\"1.0\"?>\r\n";

} // namespace

TEST(XmlWriter, ValueAndAttributeOnOneEmptyTagWithCrLf)
{
    CXmlDocument document;
    document.root = CXmlElement("A", "1");
    document.root.AddAttribute(CXmlAttribute("B", "2"));
    EXPECT_EQ(document.Format(), "<?xml version=\"1.0\"?>\r\n<A=\"1\" B=\"2\"/>\r\n");
}

TEST(XmlWriter, ChildrenEmptyValuesAndAttributes)
{
    CXmlDocument document;
    document.root = CXmlElement("Root");
    document.root.AddAttribute(CXmlAttribute("Version", "1.0"));
    CXmlElement child("Empty", "");
    child.AddAttribute(CXmlAttribute("Blank", ""));
    document.root.AddChild(child);
    document.root.AddChild(CXmlElement("Size", "-12"));
    EXPECT_EQ(document.Format(),
        std::string(kHeader) + "<Root Version=\"1.0\">\r\n<Empty Blank=\"\"/>\r\n<Size=\"-12\"/>\r\n</Root>\r\n");
}

TEST(XmlReader, ReadsWhatTheWriterWrites)
{
    CXmlDocument written;
    written.root = CXmlElement("Root", "top");
    written.root.AddAttribute(CXmlAttribute("Version", "1.3"));
    CXmlElement font("Font");
    font.AddAttribute(CXmlAttribute("Name", "DejaVu Sans Mono"));
    font.AddAttribute(CXmlAttribute("Size", "10"));
    font.AddAttribute(CXmlAttribute("Path", "C:\\fonts\\"));
    CXmlElement item("Item");
    item.AddChild(font);
    item.AddChild(CXmlElement("Color", "00ff00"));
    written.root.AddChild(item);
    written.root.AddChild(CXmlElement("Item"));

    CXmlDocument read;
    read.Parse(written.Format());
    EXPECT_EQ(read.Format(), written.Format());
    const CXmlElement* readFont = read.root.FindChild("Item")->FindChild("Font");
    ASSERT_NE(readFont, nullptr);
    EXPECT_EQ(readFont->FindAttribute("Name")->value, "DejaVu Sans Mono");
    EXPECT_EQ(readFont->FindAttribute("Path")->value, "C:\\fonts\\");
    EXPECT_EQ(read.root.value, "top");
}

TEST(XmlReader, AcceptsLfOnlyAndLooseWhiteSpace)
{
    CXmlElement root = ParseRoot("<?xml \t version=\"1.0\"?>\n\n  <R V=\"1\"\n\tW=\"2\" >\n <C/>\t<D=\"x\"  />\n</R>trailing junk");
    EXPECT_EQ(root.name, "R");
    ASSERT_EQ(root.attributes.size(), 2u);
    EXPECT_EQ(root.attributes[1].value, "2");
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[1].value, "x");
}

TEST(XmlReader, EmptyQuotedValueEqualsNoValue)
{
    CXmlElement root = ParseRoot("<?xml version=\"1.0\"?><R><A=\"\"/><B/><C K/></R>");
    EXPECT_EQ(root.children[0].value, "");
    EXPECT_EQ(root.children[1].value, "");
    ASSERT_EQ(root.children[2].attributes.size(), 1u);
    EXPECT_EQ(root.children[2].attributes[0].name, "K");
    EXPECT_EQ(root.children[2].attributes[0].value, "");
}

TEST(XmlReader, StartTagFollowedByEndTagHasNoChildren)
{
    CXmlElement root = ParseRoot("<?xml version=\"1.0\"?><R></R>");
    EXPECT_EQ(root.name, "R");
    EXPECT_TRUE(root.children.empty());
}

TEST(XmlReader, FindChildAndFindAttributeTakeTheFirstExactMatch)
{
    CXmlElement root = ParseRoot("<?xml version=\"1.0\"?><R a=\"lower\" A=\"1\" A=\"2\"><X=\"first\"/><x=\"other\"/><X=\"second\"/></R>");
    EXPECT_EQ(root.FindChild("X")->value, "first");
    EXPECT_EQ(root.FindChild("x")->value, "other");
    EXPECT_EQ(root.FindChild("Y"), nullptr);
    EXPECT_EQ(root.FindAttribute("A")->value, "1");
    EXPECT_EQ(root.FindAttribute("b"), nullptr);
}

TEST(XmlReader, QuoteInsideAValueDoesNotReadBackAsWritten)
{
    CXmlDocument document;
    document.root = CXmlElement("R");
    document.root.AddAttribute(CXmlAttribute("N", "say \"hi\""));
    std::string text = document.Format();
    EXPECT_NE(text.find("N=\"say \"hi\"\""), std::string::npos);
    EXPECT_NE(ParseError(text), "");
}

TEST(XmlReader, EachMalformedInputGetsTheErrorOfItsStep)
{
    const std::string h = "<?xml version=\"1.0\"?>";
    struct Case {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "file header read error"},
        {"<?xm\nl version=\"1.0\"?><R/>", "file header read error"},
        {"<?xml verzion=\"1.0\"?><R/>", "file header read error"},
        {"<?xml version=1.0?><R/>", "file header read error"},
        {"<?xml version=\"1.0\" ?><R/>", "file header read error"},
        {"<?xml version=\"1.0", "file reach eof on string"},
        {h, "file read start element error"},
        {h + "R/>", "file read start element error"},
        {h + "<R>text</R>", "file read start element error"},
        {h + "<R><!-- note --></R>", "file read element identifier error"},
        {h + "< R/>", "file read element identifier error"},
        {h + "<R=1/>", "file read element value identifier error"},
        {h + "<R A=2/>", "file read attribute value identifier error"},
        {h + "<R A =\"2\"/>", "file read attribute name identifier error"},
        {h + "<R -/>", "file read attribute name identifier error"},
        {h + "<R/ >", "file read attribute name identifier error"},
        {h + "<R></>", "file read element end identifier error"},
        {h + "<R></S>", "file read element start,end identifier not match error"},
        {h + "<R></R >", "file read end element error"},
        {h + "<R", "file reach eof after identifier"},
        {h + "<R A=\"1", "file reach eof on string"},
        {h + "<R><C/><C>", "file read start element error"},
        {h + "<R><C/></R", "file reach eof after identifier"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseError(c.text), c.error) << c.text;
}

TEST(XmlReader, NestingIsLimited)
{
    EXPECT_EQ(ParseError(Nested(kXmlMaxNesting)), "");
    EXPECT_EQ(ParseError(Nested(kXmlMaxNesting + 1)), "file read element nesting too deep error");
    // Far deeper than any stack would take: refused, not crashed.
    EXPECT_EQ(ParseError(Nested(1000000)), "file read element nesting too deep error");
}

TEST(XmlReader, TruncatedDocumentsFailAtEveryLength)
{
    CXmlDocument document;
    document.root = CXmlElement("R", "v");
    CXmlElement child("C");
    child.AddAttribute(CXmlAttribute("A", "1"));
    child.AddChild(CXmlElement("D", "2"));
    document.root.AddChild(child);
    std::string text = document.Format();
    size_t rootEnd = text.rfind('>') + 1;
    for (size_t length = 0; length < rootEnd; ++length)
        EXPECT_NE(ParseError(text.substr(0, length)), "") << length;
    EXPECT_EQ(ParseError(text.substr(0, rootEnd)), "");
}

TEST(XmlFile, LoadAndSaveGoThroughTheFile)
{
    TempFolder folder;
    CXmlDocument document;
    document.root = CXmlElement("R");
    document.root.AddChild(CXmlElement("V", "7"));
    document.Save(folder.File("a.xml"));
    EXPECT_EQ(ReadFileBytes(folder.File("a.xml")), document.Format());

    CXmlDocument read;
    read.Load(folder.File("a.xml"));
    EXPECT_EQ(read.root.FindChild("V")->value, "7");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.xml"});
}

TEST(XmlFile, MissingFileOrFolderIsReported)
{
    TempFolder folder;
    CXmlDocument document;
    document.root = CXmlElement("R");
    try {
        document.Load(folder.File("missing.xml"));
        FAIL();
    } catch (const XmlFileError& error) {
        EXPECT_STREQ(error.what(), "file load error");
    }
    try {
        document.Save(folder.File("no-such-folder/a.xml"));
        FAIL();
    } catch (const XmlFileError& error) {
        EXPECT_STREQ(error.what(), "file write error");
    }
    EXPECT_THROW(document.Load(folder.Path()), XmlFileError);
}

TEST(XmlFile, FailedSaveLeavesTheOldFileAndNoTemporaryFile)
{
    TempFolder folder;
    std::string path = folder.File("theme.fcx");
    WriteFileBytes(path, "old content");
    ::chmod(path.c_str(), 0640);

    CXmlDocument big;
    big.root = CXmlElement("R");
    for (int i = 0; i < 200; ++i)
        big.root.AddChild(CXmlElement("Child", std::to_string(i)));
    {
        FileSizeLimit fullDisk(64);
        EXPECT_THROW(big.Save(path), XmlFileError);
    }
    EXPECT_EQ(ReadFileBytes(path), "old content");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"theme.fcx"});

    big.Save(path);
    EXPECT_EQ(ReadFileBytes(path), big.Format());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(XmlFile, SavingOverAFolderFailsAndKeepsIt)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.File("sub"));
    CXmlDocument document;
    document.root = CXmlElement("R");
    EXPECT_THROW(document.Save(folder.File("sub")), XmlFileError);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("sub")));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"sub"});
}
