// The buttons' tooltips: every style and palette button has one, and what a palette tooltip
// names, the inline-box name and the key, does insert the button's symbol.
#include "edit/button_tooltips.h"

#include <string>

#include "edit/inline_box.h"
#include "edit/palette.h"
#include "editor_harness.h"

namespace kav {
namespace {

class TooltipTest : public EditorTest {
 protected:
  // The markup a fresh line gets from `enter`.
  template <typename Enter>
  std::u16string Entered(Enter&& enter) {
    Load({u""});
    enter();
    return Markup();
  }
};

TEST_F(TooltipTest, EveryButtonSaysWhatItIsAndHowToTypeIt) {
  for (int32_t id = command::StyleRoman; id <= command::TogglePalette; ++id) {
    EXPECT_FALSE(ButtonTooltip(id).empty()) << id;
  }
  EXPECT_EQ(ButtonTooltip(command::StyleBold), u"Bold upright letters");
  const auto table = SymbolTable();
  for (const PaletteButton& button : PaletteButtons()) {
    const SymbolRow& row = table[button.id - kPaletteCommandBase];
    const std::u16string tip = ButtonTooltip(button.id);
    SCOPED_TRACE(EncodeUtf8(tip));
    const size_t dash = tip.find(u" \u2014 ");
    ASSERT_NE(dash, std::u16string::npos);
    EXPECT_GT(dash, 2u);  // a name of its own before the dash
    // The name after the backslash, typed in the inline box, inserts what the button does.
    const size_t slash = tip.rfind(u'\\');
    ASSERT_NE(slash, std::u16string::npos);
    const std::u16string name = tip.substr(slash + 1);
    EXPECT_EQ(CodeOf(name), row.code);
    EXPECT_EQ(Entered([&] { CommitInlineText(editor, name); }),
              Entered([&] { OnPaletteCommand(editor, button.id); }));
  }
  EXPECT_EQ(ButtonTooltip(kPaletteCommandBase + 59), u"Fraction \u2014 Ctrl+K, \\frac");
  EXPECT_EQ(ButtonTooltip(kPaletteCommandBase + 60), u"Square root \u2014 Ctrl+R, \\sqrt");
  EXPECT_EQ(Entered([&] { Press('K', true); }),
            Entered([&] { OnPaletteCommand(editor, kPaletteCommandBase + 59); }));
  EXPECT_EQ(Entered([&] { Press('R', true); }),
            Entered([&] { OnPaletteCommand(editor, kPaletteCommandBase + 60); }));
  for (int32_t id : {0, command::Copy, kPaletteCommandBase, kPaletteCommandBase + 61}) {
    EXPECT_EQ(ButtonTooltip(id), u"") << id;
  }
}

}  // namespace
}  // namespace kav
