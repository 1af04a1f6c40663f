#include "KorDoc.h"

CKorDoc::CKorDoc() = default;
CKorDoc::~CKorDoc() = default;
