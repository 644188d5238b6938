#include "ThemeCatalog.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries Listed(const ThemeCatalog& catalog, const std::string& base)
{
    Entries entries;
    for (const auto& entry : catalog.List())
        entries.emplace_back(entry.name, entry.path.substr(base.size() + 1));
    return entries;
}

TEST(ThemeCatalogTest, ListsBothFoldersInNameOrderTheUsersFileFirst)
{
    TempFolder root;
    root.Write("program/Color/b.fcx", "");
    root.Write("program/Color/a.FCX", "");
    root.Write("program/Color/.fcx", ""); // no name
    root.Write("program/Color/c.ncx", ""); // another kind
    root.Write("program/Color/dfcx", "");
    root.Write("user/Color/b.fcx", "");
    root.Write("user/Color/0.Fcx", "");
    ThemeCatalog catalog({"fcx"}, "fcx", root.File("user/Color"), root.File("program/Color"));
    EXPECT_EQ(Listed(catalog, root.Path()),
        (Entries {
            {"0", "user/Color/0.Fcx"}, {"a", "program/Color/a.FCX"}, {"b", "user/Color/b.fcx"}}));
    EXPECT_EQ(catalog.FilesOf("a"), std::vector<std::string> {root.File("program/Color/a.FCX")});
}

TEST(ThemeCatalogTest, MissingFoldersListNothing)
{
    ThemeCatalog catalog({"fcx"}, "fcx", "/nonexistent/user", "");
    EXPECT_TRUE(catalog.List().empty());
    EXPECT_TRUE(catalog.FilesOf("a").empty());
}

TEST(ThemeCatalogTest, MacroThemesAreListedPerFormatAndReadTextFormatFirst)
{
    TempFolder root;
    root.Write("program/Color/both.mcx", "");
    root.Write("user/Color/both.CIF", "");
    root.Write("user/Color/xml.mcx", "");
    ThemeCatalog catalog(
        {"cif", "mcx"}, "mcx", root.File("user/Color"), root.File("program/Color"));
    EXPECT_EQ(Listed(catalog, root.Path()),
        (Entries {{"both", "user/Color/both.CIF"}, {"both", "program/Color/both.mcx"},
            {"xml", "user/Color/xml.mcx"}}));
    EXPECT_EQ(catalog.FilesOf("both"),
        (std::vector<std::string> {
            root.File("user/Color/both.CIF"), root.File("program/Color/both.mcx")}));

    // Removing deletes the user's text file only; the shipped one stays.
    EXPECT_EQ(catalog.Remove("both"), ThemeCatalog::RemoveResult::Removed);
    EXPECT_EQ(
        catalog.FilesOf("both"), std::vector<std::string> {root.File("program/Color/both.mcx")});
    EXPECT_EQ(catalog.Remove("both"), ThemeCatalog::RemoveResult::ProgramTheme);

    // A text theme of the name does not stop an XML one being saved.
    root.Write("user/Color/text.cif", "");
    std::string written;
    auto save = [&written](const std::string& path) {
        written = path;
        return true;
    };
    EXPECT_EQ(catalog.SaveAs("text", save), ThemeCatalog::SaveResult::Saved);
    EXPECT_EQ(written, root.File("user/Color/text.mcx"));
}

TEST(ThemeCatalogTest, SaveAsRefusesExistingAndUnusableNames)
{
    TempFolder root;
    root.Write("program/Color/shipped.NCX", "");
    root.Write("user/Color/mine.ncx", "");
    ThemeCatalog catalog({"ncx"}, "ncx", root.File("user/Color"), root.File("program/Color"));
    int writes = 0;
    auto save = [&writes](const std::string& path) {
        ++writes;
        return true;
    };
    EXPECT_EQ(catalog.SaveAs("shipped", save), ThemeCatalog::SaveResult::Exists);
    EXPECT_EQ(catalog.SaveAs("mine", save), ThemeCatalog::SaveResult::Exists);
    for (const char* name : {"", "a/b", "tab\there", ".", ".."})
        EXPECT_EQ(catalog.SaveAs(name, save), ThemeCatalog::SaveResult::BadName) << name;
    // A name must leave room for the extension in a file name.
    const std::string longest(ThemeCatalog::kMaxNameLength, 'n');
    EXPECT_EQ(catalog.SaveAs(longest + "n", save), ThemeCatalog::SaveResult::BadName);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(catalog.SaveAs("new", [](const std::string&) { return false; }),
        ThemeCatalog::SaveResult::Failed);
    // Another case of an existing name is another theme.
    EXPECT_EQ(catalog.SaveAs("Mine", save), ThemeCatalog::SaveResult::Saved);
}

TEST(ThemeCatalogTest, RemoveTellsWhatBecameOfTheTheme)
{
    TempFolder root;
    root.Write("program/Color/both.fcx", "");
    root.Write("user/Color/both.FCX", "");
    ThemeCatalog catalog({"fcx"}, "fcx", root.File("user/Color"), root.File("program/Color"));

    // The user's copy goes; the program's theme of the name takes its place.
    ThemeCatalog::Entry instead;
    EXPECT_EQ(catalog.Remove("both", &instead), ThemeCatalog::RemoveResult::ProgramThemeStays);
    EXPECT_EQ(instead.name, "both");
    EXPECT_EQ(instead.path, root.File("program/Color/both.fcx"));
    EXPECT_FALSE(std::filesystem::exists(root.File("user/Color/both.FCX")));
    EXPECT_EQ(Listed(catalog, root.Path()), (Entries {{"both", "program/Color/both.fcx"}}));

    // Gone from both folders: nothing is left to remove.
    EXPECT_EQ(catalog.Remove("gone"), ThemeCatalog::RemoveResult::Removed);
}

TEST(ThemeCatalogTest, SaveAsMakesTheUsersFolder)
{
    TempFolder root;
    ThemeCatalog catalog({"scx"}, "scx", root.File("config/Color"), "");
    std::string written;
    EXPECT_EQ(catalog.SaveAs("first",
                  [&written](const std::string& path) {
                      written = path;
                      return true;
                  }),
        ThemeCatalog::SaveResult::Saved);
    EXPECT_EQ(written, root.File("config/Color/first.scx"));
}

} // namespace
