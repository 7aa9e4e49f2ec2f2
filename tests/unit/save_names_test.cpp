#include "base/save_names.h"

#include <gtest/gtest.h>

#include "base/utf.h"

namespace kav {
namespace {

TEST(SaveNames, ATemporaryFileCarriesItsTargetsName) {
  EXPECT_EQ(TemporarySaveName(u"two lines.kav", 0x00c0ffee), u"two lines.kav.00c0ffee.kav-saving");
  EXPECT_EQ(TemporarySaveName(u"a", 0xFFFFFFFF), u"a.ffffffff.kav-saving");
}

// The next save removes only its own leftovers: those of another document, or files that merely
// look alike, stay.
TEST(SaveNames, OnlyTheTargetsOwnLeftoversMatch) {
  const struct {
    std::u16string_view name;
    bool leftover;
  } kCases[] = {
      {u"doc.kav.0123abcd.kav-saving", true},      {u"DOC.KAV.0123ABCD.KAV-SAVING", true},
      {u"doc.kav.00000000.kav-saving", true},      {u"doc.kav", false},
      {u"other.kav.0123abcd.kav-saving", false},   {u"my doc.kav.0123abcd.kav-saving", false},
      {u"doc.kav.kav.0123abcd.kav-saving", false}, {u"doc.kav.0123abcg.kav-saving", false},
      {u"doc.kav.0123abc.kav-saving", false},      {u"doc.kav.0123abcde.kav-saving", false},
      {u"doc.kav.0123abcd.kav-saving.txt", false}, {u"doc.kav-0123abcd.kav-saving", false},
      {u"doc.kav.0123abcd.kav-savin", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsTemporarySaveNameOf(c.name, u"doc.kav"), c.leftover) << EncodeUtf8(c.name);
  }
  EXPECT_TRUE(IsTemporarySaveNameOf(TemporarySaveName(u"x.kav", 7), u"x.kav"));
}

}  // namespace
}  // namespace kav
