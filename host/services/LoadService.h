// The application's load service: whether what the library shows of the PLC is still what the
// PLC holds (the load state of an update list), and the download of project objects into the
// connected PLC and the upload of PLC objects into the open project.
//
//   int32_t state = env.Load().LoadState(updateListXml, 16);   // 16: also tell the listeners
//   int32_t loaded = -1;
//   env.Load().Download(objectXml, 0, loaded);                 // loaded: how many objects
//
// The lists are the library's object XML: a ROOT element with one RGOBJECT element per object,
// whose CLSID and OBJID attributes name a framework object (ISOPEN is not looked at).
//
// The load state answers:
//   0  a PLC is connected and every listed object exists in it (the list is up to date),
//   1  a PLC is connected and at least one listed object does not exist in it,
//   2  no PLC is connected.
// An object exists in the PLC when the PLC's project container, one of its children, or a block
// of its program has the listed class identifier and object identifier (exact texts).
//
// The memory card's file list. A LoadState call with the notify flag whose list names the
// connected PLC's memory card (class kMemoryCard, object identifier "MMC": the card itself or
// the memory card service's object, which stands for it) answers as above, raises
// LoadStateChanged, and then has the card report its files (MemoryCard::ReportFiles): one
// batched notification 1 of class kMMCFile naming every file, before the call returns (or,
// when the PLC's hub is delivering another notification, right after that one). That is how
// the library's file-list node learns the files: it adds an item for each new one and refreshes
// the items it has. A card without files reports nothing; without the flag nothing is reported.
//
// Download and Upload take the objects of one side (the open project, the connected PLC, which
// must be paired) into the other. A listed project stands for its hardware configuration and its
// blocks not marked as system, a program for its blocks, a category (download only) for its
// members, a block or hardware configuration for itself; each object is loaded once. A project or
// program never brings its data types (UDT) or the firmware's blocks (SFB, SFC) with it. A block of
// the target program that has the type and number takes the loaded data in place (keeping its
// object and its category), a new one is appended; all blocks arrive in one delivery, so the
// handlers and the comparison act once. A hardware configuration takes the other's name, size and
// state, so that the comparison finds them equal. Progress(done, total) is raised per object
// loaded.
//
// All or nothing: the whole list is checked before anything changes. Errors (number 5, nothing
// changed): a list that is not object XML or names no object, an object of a class the load
// does not take or that the side does not hold, no PLC connected or no project open, a download
// whose blocks would not fit into the PLC's load memory (PlcProject::LoadMemory), an upload that
// names a protected block of the PLC (it cannot be read out) or a project without a program.
//
// Trap: the list is parsed before the connection is looked at, so a malformed list is an error
// even when no PLC is connected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgLoadService.h"

namespace host {

class OnlineService;
class PlcProject;
class OfflineProject;

/// One LoadState call: what was asked and what it answered (nothing when it failed).
struct LoadStateCall {
  std::string updateList;
  int32_t flags = 0;
  std::optional<int32_t> state;
};

class LoadService : public mzblprsx::IRgLoadService {
 public:
  /// The flag of LoadState that asks for LoadStateChanged.
  static constexpr int32_t kNotifyFlag = 16;
  static constexpr int32_t kUpToDate = 0;
  static constexpr int32_t kObjectsMissing = 1;
  static constexpr int32_t kNotConnected = 2;

  /// online: the application's online service, which knows the connected PLC (and through it
  /// the project it is paired with).
  explicit LoadService(platform::Ref<OnlineService> online);
  ~LoadService() override;

  std::string_view TypeName() const override { return "LoadService"; }

  /// The load state of the update list (see the file comment); with kNotifyFlag in flags, also
  /// raises LoadStateChanged(state) and, when the list names the connected card, has the card
  /// report its files. Error 5 when the list is not well-formed object XML.
  int32_t LoadState(const std::string& updateList, int32_t flags) override;
  /// (state) raised by LoadState calls that carry kNotifyFlag.
  platform::Signal<int32_t>& LoadStateChanged() { return loadStateChanged_; }

  /// The listed project objects into the PLC; `result` is the number of objects loaded (-1
  /// when the call fails). Flags are not used.
  void Download(const std::string& objectXml, int32_t flags, int32_t& result) override;
  /// The listed PLC objects into the project; `result` as for Download.
  void Upload(const std::string& objectXml, int32_t flags, int32_t& result) override;
  /// (done, total) after each object a download or upload loaded.
  platform::Signal<int32_t, int32_t>& Progress() { return progress_; }

  /// Every LoadState call in order, the failed ones included.
  const std::vector<LoadStateCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

 private:
  struct Sides {
    platform::Ref<OfflineProject> project;
    platform::Ref<PlcProject> plc;
  };
  /// The open project and the connected PLC it is paired with; error 5 naming `load` otherwise.
  Sides PairedSides(const char* load) const;
  /// A download (project to PLC) or an upload (PLC to project), checked whole first.
  void Load(const std::string& objectXml, bool download, int32_t& result);

  platform::Ref<OnlineService> online_;
  platform::Signal<int32_t> loadStateChanged_;
  platform::Signal<int32_t, int32_t> progress_;
  std::vector<LoadStateCall> calls_;
};

}  // namespace host
