#include "hwp/hwp_document.h"

#include <utility>

#include "base/byte_writer.h"
#include "hwp/compound_file.h"
#include "hwp/hwp_doc_info.h"
#include "hwp/hwp_preview.h"
#include "hwp/hwp_section.h"
#include "hwp/hwp_summary.h"

namespace kav {
namespace {

constexpr uint32_t kVersion = 0x05010001;  // 5.1.0.1
constexpr uint32_t kCompressed = 1;        // property bit 0: streams are raw-deflated
constexpr uint32_t kEncryptVersion = 4;    // the value current word processors write
constexpr size_t kFileHeaderSize = 256;
constexpr int kLevel = 1;  // fast: a formula's records are a few hundred bytes
constexpr size_t kLinkDocSize = 524;

std::vector<uint8_t> Compress(const std::vector<uint8_t>& records) {
  return Deflate(records, kLevel, DeflateWrapper::kRaw);
}

// The preview text: an empty line (CR LF in UTF-16).
std::vector<uint8_t> PreviewText() {
  ByteWriter text;
  text.Utf16(u"\r\n");
  return text.Take();
}

// Script version 1.0: two 32-bit words, high and low.
std::vector<uint8_t> ScriptVersion() {
  ByteWriter version;
  version.U32(1);
  version.U32(0);
  return Compress(version.Data());
}

// No document script: empty header, source, pre-source and post-source, then the end mark.
std::vector<uint8_t> DefaultScript() {
  ByteWriter script;
  for (int part = 0; part < 4; ++part) script.U32(0);
  script.U32(0xFFFFFFFF);
  return Compress(script.Data());
}

}  // namespace

std::vector<uint8_t> BuildHwpFileHeader() {
  ByteWriter header;
  header.Ascii("HWP Document File");
  header.Zeros(32 - header.Size());
  header.U32(kVersion);
  header.U32(kCompressed);
  header.U32(0);  // licence properties
  header.U32(kEncryptVersion);
  header.U8(0);  // licence country
  header.Zeros(kFileHeaderSize - header.Size());
  return header.Take();
}

HwpDocumentBuilder::FixedStreams HwpDocumentBuilder::MakeFixedStreams() {
  FixedStreams fixed;
  fixed.fileHeader = BuildHwpFileHeader();
  fixed.docInfo = Compress(BuildDocInfoRecords());
  fixed.summary = BuildHwpSummary();
  fixed.previewText = PreviewText();
  fixed.previewImage = BuildPagePreview();
  // The link record of a document that is linked to no other: its path fields are empty.
  fixed.linkDoc = std::vector<uint8_t>(kLinkDocSize, 0);
  fixed.defaultScript = DefaultScript();
  fixed.scriptVersion = ScriptVersion();
  return fixed;
}

HwpDocumentBuilder::HwpDocumentBuilder() : deflater_(kLevel, DeflateWrapper::kRaw) {}

std::vector<uint8_t> HwpDocumentBuilder::Build(std::u16string_view script) {
  std::vector<uint8_t> section = deflater_.Compress(BuildSectionRecords(script));
  if (!fixed_) fixed_ = MakeFixedStreams();
  constexpr int32_t kRoot = CompoundFileBuilder::kCompoundRoot;
  CompoundFileBuilder file;
  file.AddStream(kRoot, u"FileHeader", fixed_->fileHeader);
  file.AddStream(kRoot, u"DocInfo", fixed_->docInfo);
  const int32_t body = file.AddStorage(kRoot, u"BodyText");
  file.AddStream(body, u"Section0", std::move(section));
  file.AddStream(kRoot, u"\u0005HwpSummaryInformation", fixed_->summary);
  file.AddStream(kRoot, u"PrvText", fixed_->previewText);
  file.AddStream(kRoot, u"PrvImage", fixed_->previewImage);
  const int32_t options = file.AddStorage(kRoot, u"DocOptions");
  file.AddStream(options, u"_LinkDoc", fixed_->linkDoc);
  const int32_t scripts = file.AddStorage(kRoot, u"Scripts");
  file.AddStream(scripts, u"DefaultJScript", fixed_->defaultScript);
  file.AddStream(scripts, u"JScriptVersion", fixed_->scriptVersion);
  return file.Build();
}

std::vector<uint8_t> BuildHwpDocument(std::u16string_view script) {
  return HwpDocumentBuilder().Build(script);
}

}  // namespace kav
