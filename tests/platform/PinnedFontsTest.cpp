// The test main pins the fonts; every text-measuring test relies on it.
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

TEST(PinnedFonts, EveryFamilyDrawsWithADejaVuFace)
{
    const std::pair<const char*, const char*> faces[] = {{"Arial", "DejaVu Sans"},
        {"Tahoma", "DejaVu Sans"}, {"Liberation Sans", "DejaVu Sans"},
        {"Courier New", "DejaVu Sans Mono"}, {"Monospace", "DejaVu Sans Mono"},
        {"Times New Roman", "DejaVu Serif"}};
    for (const auto& [family, face] : faces)
        EXPECT_EQ(QFontInfo(QFont(family, 10)).family().toStdString(), face) << family;
    // Apart from the generic names Qt adds, no other family is there.
    for (const QString& family : QFontDatabase::families()) {
        const bool generic = family == "Sans Serif" || family == "Serif" || family == "Monospace";
        EXPECT_TRUE(generic || family.startsWith("DejaVu")) << family.toStdString();
    }
}
