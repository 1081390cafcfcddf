#pragma once

#include <iostream>
#include <sstream>

// Sends std::cout and std::cerr into strings while it lives.
struct ConsoleCapture {
  ConsoleCapture()
      : saved_out(std::cout.rdbuf(out.rdbuf())), saved_err(std::cerr.rdbuf(err.rdbuf())) {}
  ~ConsoleCapture() {
    std::cout.rdbuf(saved_out);
    std::cerr.rdbuf(saved_err);
    std::cout.clear();
    std::cerr.clear();
  }

  std::ostringstream out;
  std::ostringstream err;
  std::streambuf* saved_out;
  std::streambuf* saved_err;
};
