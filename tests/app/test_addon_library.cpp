// A library add-on for the add-on tests: it keeps what its last call
// received and runs the test's probe during the call.
#include <string>

#include "AddOnCall.h"

namespace {

int g_calls = 0;
unsigned g_size = 0;
std::string g_file;
bool g_fileNull = false;
int g_rin = -1;
int g_mrin = -1;
void (*g_probe)() = nullptr;

}  // namespace

#define EXPORTED extern "C" __attribute__((visibility("default")))

EXPORTED void ORV4AddOn(const KorAddOnBlock* block) {
  ++g_calls;
  g_size = block->size;
  g_fileNull = block->file == nullptr;
  g_file = block->file ? block->file : "";
  g_rin = block->rin;
  g_mrin = block->mrin;
  if (g_probe) g_probe();
}

EXPORTED void TestAddOnSetProbe(void (*probe)()) { g_probe = probe; }
EXPORTED int TestAddOnCalls() { return g_calls; }
EXPORTED unsigned TestAddOnSize() { return g_size; }
EXPORTED const char* TestAddOnFile() { return g_fileNull ? nullptr : g_file.c_str(); }
EXPORTED int TestAddOnRin() { return g_rin; }
EXPORTED int TestAddOnMrin() { return g_mrin; }
