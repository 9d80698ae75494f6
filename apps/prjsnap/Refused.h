// An operation that the project refuses (an unknown item, a check that failed): the reason goes
// to the user with exit code 1, and the files stay as they were.
#pragma once

#include <stdexcept>

namespace prjsnap {

class Refused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace prjsnap
