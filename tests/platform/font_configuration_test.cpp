#include "platform/desktop.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct Face {
    std::string family;
    std::string file;
    bool emboldened = false;  // drawn bolder than the face is
};

// The face fontconfig's current configuration gives for `pattern`, as a program asking for it gets it.
std::optional<Face> bestFace(const char* pattern) {
    FcPattern* asked = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (!asked) return std::nullopt;
    FcConfigSubstitute(nullptr, asked, FcMatchPattern);
    FcDefaultSubstitute(asked);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, asked, &result);
    FcPatternDestroy(asked);
    if (!found) return std::nullopt;
    Face face;
    FcChar8* text = nullptr;
    if (FcPatternGetString(found, FC_FAMILY, 0, &text) == FcResultMatch) face.family = reinterpret_cast<const char*>(text);
    if (FcPatternGetString(found, FC_FILE, 0, &text) == FcResultMatch) face.file = reinterpret_cast<const char*>(text);
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(found, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) face.emboldened = embolden;
    FcPatternDestroy(found);
    return face;
}

}  // namespace

// Bold Song text comes from the regular weight (emboldened when drawn); every other family keeps
// its bold weight.
TEST(FontConfiguration, SongBoldIsDrawnFromTheRegularWeightOnly) {
    tessivo::platform::loadFontConfigurationAhead().join();
    const auto regular = bestFace("Noto Serif CJK SC");
    if (!regular || regular->family != "Noto Serif CJK SC") GTEST_SKIP() << "Noto Serif CJK SC is not installed";
    const auto bold = bestFace("Noto Serif CJK SC:weight=bold");
    ASSERT_TRUE(bold);
    EXPECT_EQ(bold->family, regular->family);
    EXPECT_EQ(bold->file, regular->file);
    EXPECT_TRUE(bold->emboldened);
    EXPECT_FALSE(regular->emboldened);

    const auto sansRegular = bestFace("Noto Sans CJK SC");
    const auto sansBold = bestFace("Noto Sans CJK SC:weight=bold");
    if (!sansRegular || sansRegular->family != "Noto Sans CJK SC") GTEST_SKIP() << "Noto Sans CJK SC is not installed";
    ASSERT_TRUE(sansBold);
    EXPECT_NE(sansBold->file, sansRegular->file);
    EXPECT_FALSE(sansBold->emboldened);
}
