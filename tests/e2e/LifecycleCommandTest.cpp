// prjsnap lifecycle, end to end: the real library loaded with dlopen on the real host.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <sstream>

#include "Lifecycle.h"
#include "PrjsnapTestSupport.h"
#include "SnapInLibrary.h"

namespace mztest {
namespace {

TEST(PrjsnapLifecycle, EmbeddedSampleRunsCleanAndLeavesNothingAlive) {
  const RunResult r = RunPrjsnap("lifecycle");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  for (const char* step :
       {"1. create mzblprsx.RgProjectSnapin", "Init", "Attach", "open the embedded sample project",
        "verb 1", "connect", "user command 100", "handled: yes", "disconnect PLC", "close project",
        "PreDetach", "Detach", "release"}) {
    EXPECT_NE(r.output.find(step), std::string::npos) << "missing step " << step << "\n"
                                                      << r.output;
  }
  EXPECT_NE(r.output.find("errors reported: 0"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("live instances after release: 0"), std::string::npos) << r.output;
}

TEST(PrjsnapLifecycle, TheLibraryLoadsAgainInTheSameProcessAfterItWasUnloaded) {
  // Each sequence loads the library, runs the snap-in's whole life and unloads it: the second
  // must find no factory, interface answer or host object that the first one left behind.
  prjsnap::LifecycleOptions options;
  options.library = prjsnap::SnapInLibrary::DefaultPath();
  for (int run = 1; run <= 2; ++run) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(prjsnap::RunLifecycle(options, out, err), 0) << "run " << run << ":\n"
                                                           << out.str() << err.str();
    EXPECT_NE(out.str().find("live instances after release: 0"), std::string::npos) << out.str();
    EXPECT_FALSE(platform::ClassRegistry::Instance().IsRegistered("mzblprsx.RgProjectSnapin"))
        << "run " << run << ": unloading unregistered the library's classes";
  }
}

TEST(PrjsnapLifecycle, TheLibraryExportsNothingButItsEntryPoints) {
  void* const library = dlopen(prjsnap::SnapInLibrary::DefaultPath().c_str(), RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_TRUE(dlsym(library, "DllGetClassObject"));
  EXPECT_FALSE(dlsym(library, "_ZN8mzblprsx15LiveObjectCountEv")) << "mzblprsx::LiveObjectCount";
  dlclose(library);
}

TEST(PrjsnapLifecycle, GivenFilesAreUsedAndLeftUnchanged) {
  const std::string original = FileText(Sample("conveyor.prj.xml"));
  const TempFile project("conveyor.prj.xml", original);
  const RunResult r =
      RunPrjsnap("lifecycle " + project.Path() + " --plc " + Sample("conveyor.plc.xml"));
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("open project " + project.Path()), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("project 'Conveyor'"), std::string::npos) << r.output;
  EXPECT_EQ(FileText(project.Path()), original) << "running the sequence writes no file";
}

// Every command that opens a project refuses one that does not load before it starts anything,
// and leaves the file as it was.
TEST(PrjsnapLifecycle, ProjectThatDoesNotLoadIsAClearErrorWithExitCodeTwo) {
  const TempFile broken("broken.prj.xml",
                        "<project name=\"X\" guid=\"{6B0D7A10-3C41-4E8A-9F2B-1D5E7C9A0B11}\">\n"
                        "  <program name=\"P\">\n    <block type=\"FB\" number=\"70000\"/>\n"
                        "  </program>\n</project>\n");
  const std::string before = FileText(broken.Path());
  for (const char* command : {"lifecycle %", "edit % delete-block FB1", "tree %", "details %"}) {
    std::string arguments = command;
    arguments.replace(arguments.find('%'), 1, "'" + broken.Path() + "'");
    SCOPED_TRACE(arguments);
    const RunResult r = RunPrjsnap(arguments);
    EXPECT_EQ(r.exitCode, 2) << r.output;
    EXPECT_NE(r.output.find("broken.prj.xml:3"), std::string::npos)
        << "names the file and the line: " << r.output;
    EXPECT_NE(r.output.find("70000"), std::string::npos) << "and the problem: " << r.output;
    EXPECT_EQ(r.output.find("1. create"), std::string::npos) << "nothing was started";
    EXPECT_EQ(FileText(broken.Path()), before);
  }
}

TEST(PrjsnapLifecycle, BadArgumentsExitWithTwo) {
  EXPECT_EQ(RunPrjsnap("lifecycle /no/such/file.prj.xml").exitCode, 2);
  EXPECT_EQ(RunPrjsnap("no-such-command").exitCode, 2);
  EXPECT_EQ(RunPrjsnap("").exitCode, 2) << "a command is required";
  const RunResult help = RunPrjsnap("lifecycle --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--plc"), std::string::npos) << help.output;
}

TEST(PrjsnapLifecycle, MissingLibraryIsAClearError) {
  const RunResult r = RunPrjsnap("--library /no/such/libmzblprsx.so lifecycle");
  EXPECT_EQ(r.exitCode, 2) << r.output;
  EXPECT_NE(r.output.find("/no/such/libmzblprsx.so"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace mztest
