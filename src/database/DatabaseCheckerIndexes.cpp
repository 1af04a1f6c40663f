#include "DatabaseChecker.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "AlphaIndexFile.h"
#include "Ansel.h"
#include "AnselCompare.h"
#include "DatabaseCheckerParts.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MixedCase.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringTable.h"

using namespace orv;

// ---- indexes -----------------------------------------------------------------

int CDatabaseChecker::CheckAlphaIndex() {
  if (!Stage("Checking Alpha Index:")) return 0;
  if (repair_) {
    // The index files (the name-tree links and the index itself) are
    // rebuilt from the trees when next needed.
    database_.host.nameLinks.Close();
    database_.host.alphaFile.Close();
    database_.host.indexStale = 1;
    plat::DeleteFile(SetExtensionLastCharStr(filePath_, 'x'));
    plat::DeleteFile(SetExtensionLastCharStr(filePath_, 'a'));
  }
  return 1;
}
