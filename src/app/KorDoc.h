#pragma once
// The document of an open family file, shared by its views. For now it
// holds the remembered ditto record numbers that the main frame reads and
// writes for the screens.

#include "DittoRins.h"
#include "Document.h"

class CKorDoc : public fw::CDocument {
  Q_OBJECT

 public:
  CKorDoc();
  ~CKorDoc() override;

  shell::DittoRins m_dittoRins;
};
