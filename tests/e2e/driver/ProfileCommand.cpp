// The platform's private-profile calls, for comparing our INI engine against them.
#include <windows.h>

#include <fstream>
#include <iostream>

#include "Commands.h"
#include "IniBatch.h"
#include "JsonLine.h"

namespace korv::driver {
namespace {

// The calls exactly as the service makes them: a 200-character buffer, results unused.
class PlatformProfileStore : public ProfileStore {
 public:
  std::string Get(const std::string& section, const std::string& key, const std::string& def,
                  const std::string& file) override {
    char buffer[200] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, sizeof buffer,
                             file.c_str());
    return buffer;
  }
  void Put(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file) override {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
  }
};

}  // namespace

int RunProfile(const Args& args) {
  PlatformProfileStore store;
  if (args.size() == 5 && args[0] == "get") {
    JsonLine().Text("value", store.Get(args[1], args[2], args[3], args[4])).Print();
    return 0;
  }
  if (args.size() == 5 && args[0] == "put") {
    store.Put(args[1], args[2], args[3], args[4]);
    JsonLine().Flag("ok", true).Print();
    return 0;
  }
  if (args.size() == 2 && args[0] == "batch") {
    std::ifstream ops(args[1], std::ios::binary);
    if (!ops) return Fail(1, "cannot open " + args[1]);
    inibatch::RunBatch(store, ops, std::cout);
    return 0;
  }
  return Fail(2,
              "usage: profile get SECTION KEY DEFAULT FILE | put SECTION KEY VALUE FILE | "
              "batch OPSFILE");
}

}  // namespace korv::driver
