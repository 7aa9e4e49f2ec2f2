#include <gtest/gtest.h>

#include <string>

#include "base/utf.h"

namespace kav {
namespace {

// The offset at which decoding `bytes` is refused, or -1 when it decodes.
long RefusedAt(std::string_view bytes) {
  Utf8Error error;
  error.offset = 12345;
  return DecodeUtf8(bytes, &error) ? -1 : static_cast<long>(error.offset);
}

TEST(Utf8, DecodesEveryLength) {
  EXPECT_EQ(DecodeUtf8("a\x7f"), u"a\u007f");
  EXPECT_EQ(DecodeUtf8("\xc2\x80\xdf\xbf"), u"\u0080\u07ff");
  EXPECT_EQ(DecodeUtf8("\xe0\xa0\x80\xef\xbf\xbf\xe2\x89\xa4"), u"\u0800\uffff\u2264");
  EXPECT_EQ(DecodeUtf8("\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"), u"\U00010000\U0010ffff");
  EXPECT_EQ(DecodeUtf8(""), u"");
  EXPECT_EQ(DecodeUtf8(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8, RefusesOverlongForms) {
  EXPECT_EQ(RefusedAt("\xc0\x80"), 0);
  EXPECT_EQ(RefusedAt("ab\xc1\xbf"), 2);
  EXPECT_EQ(RefusedAt("\xe0\x9f\xbf"), 0);
  EXPECT_EQ(RefusedAt("\xf0\x8f\xbf\xbf"), 0);
}

TEST(Utf8, RefusesSurrogatesAndCodePointsBeyondUnicode) {
  EXPECT_EQ(RefusedAt("\xed\xa0\x80"), 0);
  EXPECT_EQ(RefusedAt("x\xed\xbf\xbf"), 1);
  EXPECT_EQ(RefusedAt("\xed\x9f\xbf"), -1);  // U+D7FF, just below
  EXPECT_EQ(RefusedAt("\xf4\x90\x80\x80"), 0);
  EXPECT_EQ(RefusedAt("\xf5\x80\x80\x80"), 0);
  EXPECT_EQ(RefusedAt("\xff"), 0);
}

TEST(Utf8, RefusesTruncatedAndStraySequences) {
  EXPECT_EQ(RefusedAt("abc\xe2\x89"), 3);
  EXPECT_EQ(RefusedAt("\xf0\x90\x80"), 0);
  EXPECT_EQ(RefusedAt("\xc2"), 0);
  EXPECT_EQ(RefusedAt("\x80"), 0);
  EXPECT_EQ(RefusedAt("\xc2\x41"), 0);
  EXPECT_EQ(RefusedAt("\xe2\x89\x41"), 0);
  EXPECT_EQ(DecodeUtf8("\xe2\x89"), std::nullopt);  // no error record needed
}

TEST(Utf8, EncodesAndRoundTrips) {
  const std::u16string text = u"a\u00e9\u2264\U0001d465\uffff";
  const std::string bytes = EncodeUtf8(text);
  EXPECT_EQ(bytes, "a\xc3\xa9\xe2\x89\xa4\xf0\x9d\x91\xa5\xef\xbf\xbf");
  EXPECT_EQ(DecodeUtf8(bytes), text);
}

TEST(Utf8, UnpairedSurrogatesEncodeAsReplacement) {
  EXPECT_EQ(EncodeUtf8(std::u16string(1, char16_t(0xd800))), "\xef\xbf\xbd");
  EXPECT_EQ(EncodeUtf8(std::u16string{char16_t(0xdc00), u'a'}), "\xef\xbf\xbd" "a");
  EXPECT_EQ(EncodeUtf8(std::u16string{char16_t(0xd800), char16_t(0xd800), char16_t(0xdc00)}),
            "\xef\xbf\xbd\xf0\x90\x80\x80");
}

// Every length boundary, alone and inside a long text, so that sizing the output before writing
// it can neither cut a sequence short nor leave bytes over.
TEST(Utf8, EncodesEveryLengthBoundaryAloneAndInLongText) {
  const struct {
    std::u16string text;
    std::string bytes;
  } kCases[] = {
      {u"\u007f", "\x7f"},
      {u"\u0080", "\xc2\x80"},
      {u"\u07ff", "\xdf\xbf"},
      {u"\u0800", "\xe0\xa0\x80"},
      {u"\ud7ff", "\xed\x9f\xbf"},
      {u"\ue000", "\xee\x80\x80"},
      {u"\uffff", "\xef\xbf\xbf"},
      {u"\U00010000", "\xf0\x90\x80\x80"},
      {u"\U0010ffff", "\xf4\x8f\xbf\xbf"},
      {std::u16string{char16_t(0xdbff)}, "\xef\xbf\xbd"},
  };
  std::u16string longText;
  std::string longBytes;
  for (const auto& row : kCases) {
    EXPECT_EQ(EncodeUtf8(row.text), row.bytes);
    for (int k = 0; k < 300; ++k) {
      longText += u"x" + row.text;
      longBytes += "x" + row.bytes;
    }
  }
  EXPECT_EQ(EncodeUtf8(longText), longBytes);
  std::string appended = "<";
  for (const uint32_t cp : {0x7fu, 0x80u, 0x7ffu, 0x800u, 0xffffu, 0x10000u, 0x10ffffu}) {
    AppendUtf8(appended, cp);
  }
  EXPECT_EQ(appended, "<\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf"
                      "\xf0\x90\x80\x80\xf4\x8f\xbf\xbf");
}

TEST(Utf16, AppendsOneUnitInTheBmpAndAPairAboveIt) {
  std::u16string out = u"x";
  for (const uint32_t cp : {0x41u, 0xffffu, 0x10000u, 0x1d465u, 0x10ffffu}) AppendUtf16(out, cp);
  EXPECT_EQ(out, u"xA\uffff\U00010000\U0001d465\U0010ffff");
}

TEST(Utf8, Ascii16WidensEachByte) { EXPECT_EQ(Ascii16("@@3"), u"@@3"); }

}  // namespace
}  // namespace kav
