#include "XmlDocument.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

const std::string kHeader = "<?xml version=\"1.0\"?>";

// The text of the error the action throws, or "" when it succeeds.
template <typename Action> std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const XmlFileError& error) {
        return error.what();
    }
    return {};
}

std::string ParseError(const std::string& text)
{
    return ErrorOf([&] { CXmlDocument().Parse(text); });
}

CXmlElement ParseRoot(const std::string& text)
{
    CXmlDocument document;
    document.Parse(text);
    return document.root;
}

std::string Nested(int depth)
{
    return kHeader + [&] {
        std::string s;
        for (int i = 0; i < depth; ++i)
            s += "<E>";
        for (int i = 0; i < depth; ++i)
            s += "</E>";
        return s;
    }();
}

} // namespace

TEST(XmlWriter, ValueAndAttributeInOneEmptyTagWithCrLf)
{
    CXmlDocument document;
    document.root = CXmlElement("A", "1");
    document.root.AddAttribute(CXmlAttribute("B", "2"));
    EXPECT_EQ(document.Format(), kHeader + "\r\n<A=\"1\" B=\"2\"/>\r\n");
}

TEST(XmlReader, AcceptsLfOnlyLooseWhiteSpaceAndBackslashes)
{
    CXmlElement root = ParseRoot("<?xml \t version=\"1.0\"?>\n\n  <R V=\"C:\\dir\\\"\n\tW=\"\" "
                                 "K>\n <C></C>\t<D=\"x\"  />\n</R>trailing junk");
    EXPECT_EQ(root.name, "R");
    ASSERT_EQ(root.attributes.size(), 3u);
    EXPECT_EQ(root.attributes[0].value, "C:\\dir\\");
    EXPECT_EQ(root.attributes[1].value, "");
    EXPECT_EQ(root.attributes[2].value, "");
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_TRUE(root.children[0].children.empty()); // start tag directly followed by end tag
    EXPECT_EQ(root.children[1].value, "x");
    // A value written as "" reads as no value.
    EXPECT_EQ(ParseRoot(kHeader + "<A=\"\"/>").value, "");
}

TEST(XmlReader, FindTakesTheFirstExactMatch)
{
    CXmlElement root = ParseRoot(
        kHeader + "<R a=\"lower\" A=\"1\" A=\"2\"><X=\"first\"/><x=\"other\"/><X=\"second\"/></R>");
    EXPECT_EQ(root.FindChild("X")->value, "first");
    EXPECT_EQ(root.FindChild("x")->value, "other");
    EXPECT_EQ(root.FindChild("Y"), nullptr);
    EXPECT_EQ(root.FindAttribute("A")->value, "1");
    EXPECT_EQ(root.FindAttribute("b"), nullptr);
}

TEST(XmlReader, EachMalformedInputGetsTheErrorOfItsStep)
{
    const std::string h = kHeader;
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
        {h + "<R>text</R>", "file read start element error"},
        {h + "<R><!-- note --></R>", "file read element identifier error"},
        {h + "< R/>", "file read element identifier error"},
        {h + "<R=1/>", "file read element value identifier error"},
        {h + "<R A=2/>", "file read attribute value identifier error"},
        {h + "<R A =\"2\"/>", "file read attribute name identifier error"},
        {h + "<R/ >", "file read attribute name identifier error"},
        {h + "<R></>", "file read element end identifier error"},
        {h + "<R></S>", "file read element start,end identifier not match error"},
        {h + "<R></R >", "file read end element error"},
        {h + "<R", "file reach eof after identifier"},
        {h + "<R A=\"1", "file reach eof on string"},
        {h + "<R><C/><C>", "file read start element error"},
        {h + "<R N=\"say \"hi\"\"/>", "file read attribute name identifier error"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseError(c.text), c.error) << c.text;
}

TEST(XmlReader, NestingIsLimited)
{
    EXPECT_EQ(ParseError(Nested(kXmlMaxNesting)), "");
    EXPECT_EQ(ParseError(Nested(kXmlMaxNesting + 1)), "file read element nesting too deep error");
    EXPECT_EQ(ParseError(Nested(1000000)), "file read element nesting too deep error");
}

TEST(XmlReader, ElementsAndAttributesTogetherAreLimited)
{
    auto document = [](size_t children, size_t attributes) {
        std::string text = kHeader + "<R";
        for (size_t i = 0; i < attributes; ++i)
            text += " a";
        text += ">";
        for (size_t i = 0; i < children; ++i)
            text += "<a/>";
        return text + "</R>";
    };
    const std::string tooMany = "file read too many elements error";
    EXPECT_EQ(ParseError(document(kXmlMaxItems - 1, 0)), "");
    EXPECT_EQ(ParseError(document(kXmlMaxItems, 0)), tooMany);
    EXPECT_EQ(ParseError(document(0, kXmlMaxItems - 1)), "");
    EXPECT_EQ(ParseError(document(0, kXmlMaxItems)), tooMany);
    EXPECT_EQ(ParseError(document(kXmlMaxItems / 2, kXmlMaxItems / 2)), tooMany);

    // A file beyond the size limit is not read at all.
    TempFolder folder;
    const std::string large = document(0, 0) + std::string(kXmlMaxFileSize, ' ');
    WriteFileBytes(folder.File("large.fcx"), large);
    EXPECT_EQ(ErrorOf([&] { CXmlDocument().Load(folder.File("large.fcx")); }), "file load error");
}

TEST(XmlReader, TruncatedDocumentsFailAtEveryLength)
{
    const std::string text = kHeader + "\r\n<R=\"v\">\r\n<C A=\"1\">\r\n<D=\"2\"/>\r\n</C>\r\n</R>";
    for (size_t length = 0; length < text.size(); ++length)
        EXPECT_NE(ParseError(text.substr(0, length)), "") << length;
    EXPECT_EQ(ParseError(text), "");
}

TEST(XmlFile, LoadAndSaveReportFailuresAndKeepTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.File("theme.fcx");
    CXmlDocument big;
    big.root = CXmlElement("R");
    for (int i = 0; i < 200; ++i)
        big.root.AddChild(CXmlElement("Child", std::to_string(i)));

    WriteFileBytes(path, "old content");
    ::chmod(path.c_str(), 0640);
    {
        FileSizeLimit fullDisk(64);
        EXPECT_EQ(ErrorOf([&] { big.Save(path); }), "file write error");
    }
    EXPECT_EQ(ReadFileBytes(path), "old content");
    EXPECT_EQ(folder.Names(), std::vector<std::string> {"theme.fcx"});

    big.Save(path);
    EXPECT_EQ(ReadFileBytes(path), big.Format());
    struct stat info { };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // the permissions stay
    CXmlDocument read;
    read.Load(path);
    EXPECT_EQ(read.Format(), big.Format());

    std::filesystem::create_directory(folder.File("sub"));
    EXPECT_EQ(ErrorOf([&] { big.Save(folder.File("sub")); }), "file write error");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("sub")));
    EXPECT_EQ(ErrorOf([&] { big.Save(folder.File("no-folder/a.xml")); }), "file write error");
    EXPECT_EQ(ErrorOf([&] { read.Load(folder.File("missing.xml")); }), "file load error");
    EXPECT_EQ(ErrorOf([&] { read.Load(folder.File("sub")); }), "file load error");
    EXPECT_EQ(folder.Names(), (std::vector<std::string> {"sub", "theme.fcx"}));
}
