// How colours, window edges, fonts and binding rows are spelled in the settings file.
#include <gtest/gtest.h>

#include "ui/font_spec.h"
#include "ui/key_bindings.h"
#include "ui/settings_values.h"

namespace yav {
namespace {

TEST(SettingsValues, ColourWrittenAsPaddedHexWithComment) {
  EXPECT_EQ(colourValueText(0xff, "Color for Active Breakpoints"), "0xff        /* Color for Active Breakpoints */");
  EXPECT_EQ(colourValueText(0x828282, "Color for Preprocessor Directives"),
            "0x828282    /* Color for Preprocessor Directives */");
  EXPECT_EQ(colourValueText(0, "Color for Search"), "0x0         /* Color for Search */");
}

TEST(SettingsValues, ColourReadAsLeadingCNumber) {
  struct Case {
    const char* value;
    std::optional<Rgb> colour;
  };
  const Case cases[] = {
      {"0xff        /* Color for Active Breakpoints */", 0x0000ff},
      {"0XFF00", 0x00ff00},
      {"255", 255},
      {"0377", 255},          // a leading 0 is octal in C
      {"  0x10 junk", 0x10},
      {"0x1ffffff", 0xffffff},  // a colour holds 24 bits
      {"red", std::nullopt},
      {"", std::nullopt},
      {"/* 0xff */", std::nullopt},
      {"0x123456789abcdef", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(colourFromValue(c.value), c.colour) << c.value;
}

TEST(SettingsValues, EdgesAreSignedDecimalsWithComment) {
  EXPECT_EQ(edgeValueText(-4, "Left side of Main Window"), "-4    /* Left side of Main Window */");
  EXPECT_EQ(edgeFromValue("-4    /* Left side of Main Window */"), -4);
  EXPECT_EQ(edgeFromValue("1280    /* Right side of Main Window */"), 1280);
  EXPECT_EQ(edgeFromValue("wide"), std::nullopt);
  EXPECT_EQ(edgeFromValue("99999999999"), std::nullopt);
}

TEST(SettingsValues, FontsAreThirteenNumbersAndAFace) {
  FontSpec f;
  f.height = -13;
  f.weight = 700;
  f.italic = 1;
  f.outPrecision = 3;
  f.clipPrecision = 2;
  f.quality = 1;
  f.pitchAndFamily = 49;
  f.faceName = "Courier New";
  const std::string text = "-13,0,0,0,700,1,0,0,0,3,2,1,49,Courier New";
  EXPECT_EQ(fontValueText(f), text);
  EXPECT_EQ(fontFromValue(text), f);
  EXPECT_EQ(fontFromValue("-13,0,0,0,700,1,0,0,0,3,2,1,49,Face, with comma")->faceName, "Face, with comma");

  const char* incomplete[] = {
      "", "Courier New", "-13,0,0,0,700,1,0,0,0,3,2,1,49", "-13,0,0,0,700,1,0,0,0,3,2,1,Courier New",
      "-13,0,0,0,bold,1,0,0,0,3,2,1,49,Courier New", "-13,0,0,0,700x,1,0,0,0,3,2,1,49,Courier New",
      "99999999999,0,0,0,700,1,0,0,0,3,2,1,49,Courier New",
  };
  for (const char* v : incomplete) EXPECT_EQ(fontFromValue(v), std::nullopt) << v;

  const FontSpec def = defaultFontSpec();
  EXPECT_EQ(def.pitchAndFamily & 3, kFixedPitch);
  EXPECT_EQ(fontFromValue(fontValueText(def)), def);
}

TEST(SettingsValues, BindingRowsAreFourIds) {
  EXPECT_EQ(bindingRowText({201, 0, 13001, 5}), "201,0,13001,5");
  struct Case {
    const char* value;
    std::optional<BindingRow> row;
  };
  const Case cases[] = {
      {"201,0,0,0", BindingRow{201, 0, 0, 0}},
      {" 5, 6, 7, 8", BindingRow{5, 6, 7, 8}},
      {"0,0,201,0 trailing", BindingRow{0, 0, 201, 0}},
      {"1,2,3", std::nullopt},
      {"1,2,3,", std::nullopt},
      {"1,2,x,4", std::nullopt},
      {"1;2;3;4", std::nullopt},
      {"-1,0,0,0", std::nullopt},      // ids are 16-bit command numbers
      {"70000,0,0,0", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(bindingRowFromValue(c.value), c.row) << c.value;
}

}  // namespace
}  // namespace yav
