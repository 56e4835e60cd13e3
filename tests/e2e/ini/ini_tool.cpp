// Runs a batch of profile operations (see IniBatch.h) through our INI engine:
//   korv_ini_tool OPSFILE
#include <fstream>
#include <iostream>

#include "IniBatch.h"
#include "settings/IniFileStore.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: korv_ini_tool OPSFILE\n";
    return 2;
  }
  std::ifstream ops(argv[1], std::ios::binary);
  if (!ops) {
    std::cerr << "korv_ini_tool: cannot open " << argv[1] << "\n";
    return 1;
  }
  korv::IniFileStore store;
  korv::inibatch::RunBatch(store, ops, std::cout);
  return 0;
}
