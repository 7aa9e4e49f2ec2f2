#include <gtest/gtest.h>

#include <string>

#include "model/export_buffer.h"

namespace kav {
namespace {

TEST(ExportTextBuffer, StartsEmptyWithRoomFor128) {
  ExportTextBuffer buffer;
  EXPECT_EQ(buffer.Capacity(), 128);
  EXPECT_EQ(buffer.Length(), 0);
  EXPECT_EQ(buffer.CStr()[0], u'\0');
}

TEST(ExportTextBuffer, GrowsByDoubling) {
  ExportTextBuffer buffer;
  buffer.Append(std::u16string(127, u'a'));
  EXPECT_EQ(buffer.Capacity(), 128);  // 127 units and the terminator just fit
  buffer.AppendChar(u'b');
  EXPECT_EQ(buffer.Capacity(), 256);

  ExportTextBuffer two;
  two.Append(std::u16string(200, u'a'));
  EXPECT_EQ(two.Capacity(), 256);
  ExportTextBuffer three;
  three.Append(std::u16string(300, u'a'));
  EXPECT_EQ(three.Capacity(), 512);
  three.Append(std::u16string(5000, u'c'));
  EXPECT_EQ(three.Capacity(), 8192);
  EXPECT_EQ(three.Length(), 5300);
}

TEST(ExportTextBuffer, KeepsTextAndTerminatorAcrossGrowth) {
  ExportTextBuffer buffer;
  std::u16string expected;
  for (int i = 0; i < 1000; ++i) {
    const char16_t unit = static_cast<char16_t>(u'A' + i % 26);
    buffer.AppendChar(unit);
    expected.push_back(unit);
    ASSERT_EQ(buffer.CStr()[buffer.Length()], u'\0') << i;
  }
  EXPECT_EQ(buffer.Text(), expected);
  EXPECT_EQ(buffer.Capacity(), 1024);
}

TEST(ExportTextBuffer, ClearKeepsTheStorage) {
  ExportTextBuffer buffer;
  buffer.Append(std::u16string(300, u'a'));
  buffer.Clear();
  EXPECT_EQ(buffer.Length(), 0);
  EXPECT_EQ(buffer.Text(), u"");
  EXPECT_EQ(buffer.CStr()[0], u'\0');
  EXPECT_EQ(buffer.Capacity(), 512);
}

TEST(ExportTextBuffer, ReserveMakesRoomWithoutWriting) {
  ExportTextBuffer buffer;
  buffer.Append(u"ab");
  buffer.Reserve(126);  // 2 + 126 + terminator > 128
  EXPECT_EQ(buffer.Capacity(), 256);
  EXPECT_EQ(buffer.Text(), u"ab");
  buffer.Reserve(0);
  EXPECT_EQ(buffer.Capacity(), 256);
}

TEST(ExportTextBuffer, AppendingItsOwnTextAcrossGrowth) {
  ExportTextBuffer buffer;
  buffer.Append(std::u16string(100, u'x'));
  buffer.Append(buffer.View());  // outgrows the block the view points into
  EXPECT_EQ(buffer.Text(), std::u16string(200, u'x'));
  EXPECT_EQ(buffer.Capacity(), 256);
}

}  // namespace
}  // namespace kav
