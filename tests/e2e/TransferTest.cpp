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
    ExpectOutput(r, exitCode, {reason});
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
  ExpectOutput(Copy("Sequencer", "--at 'Conveyor logic'"), 0, {}, {"==="});  // no dialog
  EXPECT_EQ(BlockIn(Target(), "FB20"), "FB20 Sequencer 'Conveyor sequencer'");
  EXPECT_EQ(FileText(Source()), before) << "a copy leaves its source file as it was";
}

TEST_F(PrjsnapTransfer, ConflictAnsweredWithRenameCreatesTheBlockUnderTheNewNumberAndSymbol) {
  // The dialog is drawn and the answer shown.
  ExpectOutput(Copy("FB10", "--answers rename:12:Motor2:ok"), 0, {"===", "> rename:12:Motor2:ok"});
  EXPECT_EQ(BlockIn(Target(), "FB12"), "FB12 Motor2 'Motor control'");
  EXPECT_EQ(BlockIn(Target(), "FB10"), "FB10 Motor 'Motor control'") << "the existing one stays";
}

TEST_F(PrjsnapTransfer, ConflictAnsweredWithOverwriteReplacesTheTargetBlock) {
  ASSERT_EQ(Run("edit " + Quote(Target()) + " block FB10 --header Old").exitCode, 0);
  ExpectOutput(Copy("Motor", "--answers overwrite:ok"), 0, {});
  EXPECT_EQ(BlockIn(Target(), "FB10"), "FB10 Motor 'Motor control'");
}

TEST_F(PrjsnapTransfer, MoveBetweenFilesTakesTheBlockAwayFromTheSource) {
  DeleteInTarget("FB20");
  ExpectOutput(Copy("FB20", "--move"), 0, {});
  EXPECT_FALSE(BlockIn(Target(), "FB20").empty());
  EXPECT_EQ(BlockIn(Source(), "FB20"), "") << "the source lost the moved block";
}

TEST_F(PrjsnapTransfer, MoveWithinOneFileNeverAsks) {
  ExpectOutput(Run("copy " + Quote(Source()) + " FB10 --to " + Quote(Source()) +
                   " --move --at 'Conveyor logic'"),
               0, {}, {"==="});
  EXPECT_EQ(CategoryOf(Source(), "FB10"), "Conveyor logic");
  EXPECT_EQ(BlockIn(Source(), "FB10"), "FB10 Motor 'Motor control'") << "moved, not copied";
}

TEST_F(PrjsnapTransfer, ANamedCategoryCarriesItsBlocksThroughMoveExportAndImport) {
  ASSERT_EQ(Run("edit " + Quote(Target()) + " delete-category Motors").exitCode, 0);
  DeleteInTarget("FB10 DB10 FB11 DB11");
  ExpectOutput(Copy("Motors", "--move"), 0, {});
  for (const char* block : {"FB10", "DB10", "FB11", "DB11"}) {
    EXPECT_EQ(CategoryOf(Target(), block), "Motors") << block;
    EXPECT_EQ(BlockIn(Source(), block), "") << "the moved category took " << block << " along";
  }
  const TempFile transfer("motors.mzx", "");
  ASSERT_EQ(Run("export " + Quote(Target()) + " Motors -o " + Quote(transfer.Path())).exitCode, 0);
  ExpectOutput(Run("import " + Quote(Source()) + " " + Quote(transfer.Path())), 0, {});
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
  ExpectOutput(Copy("FB10 DB11", "--answers overwrite:ok"), 0,
               {"symbol: the symbol 'Motor' cannot name FB10: it already names FB11; the block "
                "was inserted without it",
                "symbol: DB11 has no symbol now: the received block had none ('OldName' was "
                "removed)"});
  EXPECT_EQ(BlockIn(Target(), "FB10"), "FB10  'Motor control'");
  EXPECT_EQ(BlockIn(Target(), "DB11").substr(0, 6), "DB11  ") << "the given symbol: none";

  // A received category named like a block with a symbol is no block that lost its symbol.
  std::string source = FileText(Source());
  source.replace(source.find("name=\"Diagnostics\""), 18, "name=\"FB20\"");
  std::ofstream(Source(), std::ios::binary) << source;
  DeleteInTarget("OB82 FC5");
  ExpectOutput(Copy("category:FB20"), 0, {}, {"has no symbol now"});
  EXPECT_EQ(CategoryOf(Target(), "FC5"), "FB20");
}

TEST_F(PrjsnapTransfer, RefusedIgnoredAndCancelledCopiesLeaveBothFilesByteForByte) {
  RememberFiles();
  ExpectUntouched(Copy("FB99"), 1, "has no block or category 'FB99'");
  ExpectUntouched(Copy("FB10", "--at Nowhere"), 1, "'Nowhere'");
  ExpectUntouched(Copy("FB10", "--answers rename:12:X:all"), 2, "--answers");
  ExpectUntouched(Copy("FB10", "--answers maybe"), 2, "'maybe' is no choice");
  ExpectUntouched(Copy("FB10", "--answers ignore:ok"), 0, "nothing was copied");
  ExpectUntouched(Copy("FB10", "--answers cancel"), 1, "cancelled");
  ExpectUntouched(Copy("FB10", "--move --answers close"), 1, "cancelled");
}

// An exported file is pasted as from another application; a damaged one is bad input.
TEST_F(PrjsnapTransfer, ExportThenImportIsAPasteAndADamagedFileChangesNothing) {
  const TempFile transfer("fb10.mzx", "");
  const std::string exportFb10 = "export " + Quote(Source()) + " FB10 -o " + Quote(transfer.Path());
  const auto import = [&](const std::string& options = "") {
    return Run("import " + Quote(Target()) + " " + Quote(transfer.Path()) + options);
  };
  ASSERT_EQ(Run(exportFb10).exitCode, 0);
  ExpectOutput(import(" --answers rename:14:Motor4:ok"), 0, {});
  EXPECT_EQ(BlockIn(Target(), "FB14"), "FB14 Motor4 'Motor control'");
  std::string bytes = FileText(transfer.Path());
  bytes[bytes.size() / 2] ^= 0x01;
  std::ofstream(transfer.Path(), std::ios::binary) << bytes;
  RememberFiles();
  ExpectUntouched(import(), 2, "checksum does not match");
  // Object data damaged inside a file that is whole: the data object's own check names it.
  ASSERT_EQ(Run(exportFb10).exitCode, 0);
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
  ExpectUntouched(import(), 2, "object data that cannot be read");
  std::ofstream(transfer.Path(), std::ios::binary) << "<project/>";
  ExpectUntouched(import(), 2, "does not begin with the mark");
}

}  // namespace
}  // namespace mztest
