#include "FolderListings.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

// A folder is listed once for every reading of a run: the listing is shared
// until the folder's time moves on, as adding or removing an entry moves it.
TEST(FolderListings, AFolderIsListedOnceUntilItChanges)
{
    TempFolder temp;
    temp.Write("inc/StdAfx.H", "");
    temp.Write("inc/util.h", "");
    const std::string folder = temp.File("inc");
    FolderListings listings;
    const auto first = listings.Of(folder);
    ASSERT_EQ(first->size(), 2u);
    EXPECT_EQ(first->at("stdafx.h"), "StdAfx.H");
    EXPECT_EQ(listings.Of(folder).get(), first.get()) << "listed once";

    temp.Write("inc/Extra.h", "");
    fs::last_write_time(folder, fs::last_write_time(folder) + std::chrono::seconds(5));
    const auto second = listings.Of(folder);
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(second->count("extra.h"), 1u);
    EXPECT_EQ(first->count("extra.h"), 0u) << "a listing handed out stays as it was";

    listings.Clear();
    EXPECT_NE(listings.Of(folder).get(), second.get());
    EXPECT_TRUE(listings.Of(temp.File("missing"))->empty());
    EXPECT_TRUE(listings.Of(temp.File("inc/util.h"))->empty()) << "a file is not a folder";
}
