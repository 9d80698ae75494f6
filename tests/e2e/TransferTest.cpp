// prjsnap copy, export and import, end to end: two project files as two applications, the
// overwrite dialog answered by --answers, and the files read back with the host's own loader.
// The target is the sample under another project identifier (a different project with the same
// blocks), so that every block of the source is in conflict there.
#include <gtest/gtest.h>

#include <fstream>
#include <span>

#include "PrjsnapTestSupport.h"
#include "TransferFile.h"
#include "host/framework/DataObject.h"

namespace mztest {
namespace {

std::string OtherProject() {
  std::string text = FileText(Sample("conveyor.prj.xml"));
  const std::string guid = "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}";
  text.replace(text.find(guid), guid.size(), "{0B1C2D3E-4F50-6172-8394-A5B6C7D8E9F0}");
  return text;
}

std::string Quote(const std::string& path) {
  return "'" + path + "'";
}

/// What a saved project says about a block: "FB12 Motor2 'Motor control'", or "" when absent.
std::string BlockIn(const std::string& path, const std::string& name) {
  const auto project = host::ProjectFile::LoadProject(path);
  for (const auto& block : project->Program()->Blocks()) {
    if (block->Name() != name) continue;
    return name + " " + project->Symbols()->NameOf(name) + " '" + block->HeaderName() + "'";
  }
  return "";
}

/// The category that holds the block in the saved project; "" when none does.
std::string CategoryOf(const std::string& path, const std::string& name) {
  const auto project = host::ProjectFile::LoadProject(path);
  for (const auto& category : project->Program()->Categories()) {
    for (const auto& block : category->Members()) {
      if (block->Name() == name) return category->Name();
    }
  }
  return "";
}

class PrjsnapTransfer : public ::testing::Test {
 protected:
  PrjsnapTransfer()
      : source_("line1.prj.xml", FileText(Sample("conveyor.prj.xml"))),
        target_("line2.prj.xml", OtherProject()) {}

  /// Runs prjsnap with standard input that is no terminal, as scripts run it.
  static RunResult Run(const std::string& arguments) {
    return RunPrjsnap(arguments + " < /dev/null");
  }
  RunResult Copy(const std::string& items, const std::string& options = "") {
    return Run("copy " + Quote(Source()) + " " + items + " --to " + Quote(Target()) + " " +
               options);
  }
  /// Deletes blocks of the target first, so that a copy of them meets no conflict.
  void DeleteInTarget(const std::string& blocks) {
    const RunResult r = Run("edit " + Quote(Target()) + " delete-block " + blocks);
    ASSERT_EQ(r.exitCode, 0) << r.output;
  }
  /// Expects the command to change neither file.
  void ExpectUntouched(const RunResult& r, int exitCode, const std::string& reason) {
    EXPECT_EQ(r.exitCode, exitCode) << r.output;
    EXPECT_NE(r.output.find(reason), std::string::npos) << "the message says why: " << r.output;
    EXPECT_EQ(FileText(Source()), sourceBefore_) << "the source stays byte for byte";
    EXPECT_EQ(FileText(Target()), FileText(target_.Path() + ".before"))
        << "the target stays byte for byte";
  }
  void RememberFiles() {
    sourceBefore_ = FileText(Source());
    std::ofstream(Target() + ".before", std::ios::binary) << FileText(Target());
  }

  std::string Source() const { return source_.Path(); }
  std::string Target() const { return target_.Path(); }

 private:
  TempFile source_;
  TempFile target_;
  std::string sourceBefore_;
};

TEST_F(PrjsnapTransfer, BlockWithoutConflictIsInsertedAndOnlyTheTargetIsWritten) {
  DeleteInTarget("FB20");
  const std::string before = FileText(Source());
  const RunResult r = Copy("Sequencer", "--at 'Conveyor logic'");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output.find("==="), std::string::npos) << "no conflict, no dialog: " << r.output;
  EXPECT_EQ(BlockIn(Target(), "FB20"), "FB20 Sequencer 'Conveyor sequencer'") << r.output;
  EXPECT_EQ(FileText(Source()), before) << "a copy leaves its source file as it was";
}

TEST_F(PrjsnapTransfer, ConflictAnsweredWithRenameCreatesTheBlockUnderTheNewNumberAndSymbol) {
  const RunResult r = Copy("FB10", "--answers rename:12:Motor2:ok");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("==="), std::string::npos) << "the dialog is drawn: " << r.output;
  EXPECT_NE(r.output.find("> rename:12:Motor2:ok"), std::string::npos) << r.output;
  EXPECT_EQ(BlockIn(Target(), "FB12"), "FB12 Motor2 'Motor control'") << r.output;
  EXPECT_EQ(BlockIn(Target(), "FB10"), "FB10 Motor 'Motor control'") << "the existing one stays";
}

TEST_F(PrjsnapTransfer, ConflictAnsweredWithOverwriteReplacesTheTargetBlock) {
  ASSERT_EQ(Run("edit " + Quote(Target()) + " block FB10 --header Old").exitCode, 0);
  const RunResult r = Copy("Motor", "--answers overwrite:ok");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(BlockIn(Target(), "FB10"), "FB10 Motor 'Motor control'") << r.output;
}

TEST_F(PrjsnapTransfer, IgnoreKeepsTheTargetAndWritesNothing) {
  RememberFiles();
  const RunResult r = Copy("FB10", "--answers ignore:ok");
  ExpectUntouched(r, 0, "nothing was copied");
}

TEST_F(PrjsnapTransfer, CancelLeavesBothFilesByteForByte) {
  RememberFiles();
  ExpectUntouched(Copy("FB10", "--answers cancel"), 1, "cancelled");
  ExpectUntouched(Copy("FB10", "--move --answers close"), 1, "cancelled");
}

TEST_F(PrjsnapTransfer, MoveBetweenFilesTakesTheBlockAwayFromTheSource) {
  DeleteInTarget("FB20");
  const RunResult r = Copy("FB20", "--move");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_FALSE(BlockIn(Target(), "FB20").empty()) << r.output;
  EXPECT_EQ(BlockIn(Source(), "FB20"), "") << "the source lost the moved block: " << r.output;
}

TEST_F(PrjsnapTransfer, MoveWithinOneFileNeverAsks) {
  const RunResult r = Run("copy " + Quote(Source()) + " FB10 --to " + Quote(Source()) +
                          " --move --at 'Conveyor logic'");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output.find("==="), std::string::npos) << "no dialog in one application";
  EXPECT_EQ(CategoryOf(Source(), "FB10"), "Conveyor logic") << r.output;
  EXPECT_EQ(BlockIn(Source(), "FB10"), "FB10 Motor 'Motor control'") << "moved, not copied";
}

TEST_F(PrjsnapTransfer, ANamedCategoryCarriesItsBlocksThroughMoveExportAndImport) {
  ASSERT_EQ(Run("edit " + Quote(Target()) + " delete-category Motors").exitCode, 0);
  DeleteInTarget("FB10 DB10 FB11 DB11");
  const RunResult moved = Copy("Motors", "--move");
  ASSERT_EQ(moved.exitCode, 0) << moved.output;
  for (const char* block : {"FB10", "DB10", "FB11", "DB11"}) {
    EXPECT_EQ(CategoryOf(Target(), block), "Motors") << block << ": " << moved.output;
    EXPECT_EQ(BlockIn(Source(), block), "") << "the moved category took " << block << " along";
  }
  const TempFile transfer("motors.mzx", "");
  ASSERT_EQ(Run("export " + Quote(Target()) + " Motors -o " + Quote(transfer.Path())).exitCode, 0);
  const RunResult imported = Run("import " + Quote(Source()) + " " + Quote(transfer.Path()));
  ASSERT_EQ(imported.exitCode, 0) << imported.output;
  EXPECT_EQ(CategoryOf(Source(), "DB11"), "Motors") << "the file carried the blocks too";
}

TEST_F(PrjsnapTransfer, WhatHappenedToAReceivedBlocksSymbolIsSaid) {
  // In the target "Motor" names FB11, and DB11, which the sample names nowhere, is "OldName".
  std::string text = FileText(Target());
  text.replace(text.find("address=\"FB10\""), 14, "address=\"FB11\"");
  text.replace(text.find("<symbol address=\"FB11\" name=\"BeltDrive\"/>"), 41,
               "<symbol address=\"DB11\" name=\"OldName\"/>");
  std::ofstream(Target(), std::ios::binary) << text;
  DeleteInTarget("FB10");
  const RunResult r = Copy("FB10 DB11", "--answers overwrite:ok");
  ASSERT_EQ(r.exitCode, 0) << "the transfer succeeds: " << r.output;
  EXPECT_NE(r.output.find("symbol: the symbol 'Motor' cannot name FB10: it already names FB11; "
                          "the block was inserted without it"),
            std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("symbol: DB11 has no symbol now: the received block had none "
                          "('OldName' was removed)"),
            std::string::npos)
      << r.output;
  EXPECT_EQ(BlockIn(Target(), "FB10"), "FB10  'Motor control'");
  EXPECT_EQ(BlockIn(Target(), "DB11").substr(0, 6), "DB11  ") << "the given symbol: none";
}

TEST_F(PrjsnapTransfer, RefusalsBeforeAnythingIsCarried) {
  RememberFiles();
  ExpectUntouched(Copy("FB99"), 1, "has no block or category 'FB99'");
  ExpectUntouched(Copy("FB10", "--at Nowhere"), 1, "'Nowhere'");
  ExpectUntouched(Copy("FB10", "--answers rename:12:X:all"), 2, "--answers");
  ExpectUntouched(Copy("FB10", "--answers maybe"), 2, "'maybe' is no choice");
}

TEST_F(PrjsnapTransfer, ExportThenImportIsAPasteFromAnotherApplication) {
  const TempFile transfer("fb10.mzx", "");
  const RunResult exported =
      Run("export " + Quote(Source()) + " FB10 -o " + Quote(transfer.Path()));
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  const RunResult imported = Run("import " + Quote(Target()) + " " + Quote(transfer.Path()) +
                                 " --answers rename:14:Motor4:ok");
  ASSERT_EQ(imported.exitCode, 0) << imported.output;
  EXPECT_EQ(BlockIn(Target(), "FB14"), "FB14 Motor4 'Motor control'") << imported.output;
}

TEST_F(PrjsnapTransfer, DamagedTransferFileIsBadInputAndChangesNothing) {
  const TempFile transfer("fb10.mzx", "");
  ASSERT_EQ(Run("export " + Quote(Source()) + " FB10 -o " + Quote(transfer.Path())).exitCode, 0);
  std::string bytes = FileText(transfer.Path());
  bytes[bytes.size() / 2] ^= 0x01;
  std::ofstream(transfer.Path(), std::ios::binary) << bytes;
  RememberFiles();
  ExpectUntouched(Run("import " + Quote(Target()) + " " + Quote(transfer.Path())), 2,
                  "checksum does not match");
  // Object data damaged inside a file that is whole: the data object's own check names it.
  ASSERT_EQ(Run("export " + Quote(Source()) + " FB10 -o " + Quote(transfer.Path())).exitCode, 0);
  bytes = FileText(transfer.Path());
  prjsnap::TransferFile file = prjsnap::TransferFile::Read(
      std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  for (prjsnap::TransferFile::Section& section : file.sections) {
    if (section.format == host::DataObject::kFormatName) section.data.back() ^= 0x01;
  }
  const std::vector<uint8_t> resealed = file.Write();
  std::ofstream(transfer.Path(), std::ios::binary)
      .write(reinterpret_cast<const char*>(resealed.data()),
             static_cast<std::streamsize>(resealed.size()));
  ExpectUntouched(Run("import " + Quote(Target()) + " " + Quote(transfer.Path())), 2,
                  "object data that cannot be read");
  std::ofstream(transfer.Path(), std::ios::binary) << "<project/>";
  ExpectUntouched(Run("import " + Quote(Target()) + " " + Quote(transfer.Path())), 2,
                  "does not begin with the mark");
}

}  // namespace
}  // namespace mztest
