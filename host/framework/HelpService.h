// The application's help service (clsid::kHelpService): there is no help viewer in this host, so
// it notes every topic it was asked to show, in order, for tests and the command line to read.
//
//   auto help = platform::CreateObjectAs<mzblprsx::IRgHelpService>(clsid::kHelpService);
//   help->ShowHelpTopic("MzBASHD", form->HWnd(), "BAS00005.HTM");
//   env.Help().Shown().back().topic == "BAS00005.HTM";
//
// Trap: one per application; every creation through the class registry on the application's
// thread hands out the same object, so what one dialog showed is still there for the next.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgHelpService.h"

namespace host {

class HelpService : public mzblprsx::IRgHelpService {
 public:
  /// One topic that was asked for.
  struct Topic {
    std::string book;
    int32_t window = 0;
    std::string topic;
  };

  std::string_view TypeName() const override { return "HelpService"; }

  void ShowHelpTopic(const std::string& book, int32_t window, const std::string& topic) override;

  /// The topics asked for, oldest first.
  const std::vector<Topic>& Shown() const { return shown_; }

 private:
  std::vector<Topic> shown_;
};

}  // namespace host
