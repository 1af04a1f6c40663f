/* The call block that a library add-on receives. For add-on writers: this
   header is plain C and C++ and needs nothing else.

   An add-on library is a shared library (".so") that exports, with C
   linkage, a function named ORV4AddOn taking one argument, the address of a
   KorAddOnBlock; its result is ignored. Korvane closes the family file
   before the call, so the add-on may open it itself, and reopens it after.
   The block and the text it points to live only for the call.

   Layout on the 64-bit systems Korvane runs on (little-endian, 24 bytes):
     offset  0  uint32   size      24, the size of this block
     offset  4  uint32   reserved  0
     offset  8  pointer  file      NUL-terminated UTF-8 text: "" when the
                                   add-on takes no file, else the full path
                                   of the open family file
     offset 16  int32    rin       the current individual, 0 when none
     offset 20  int32    mrin      the current marriage, 0 when none
   A 32-bit address cannot hold a pointer here, so the block is wider than
   a 32-bit layout of four 4-byte fields; an add-on should check size. */
#ifndef KORVANE_ADDON_CALL_H
#define KORVANE_ADDON_CALL_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct KorAddOnBlock {
  uint32_t size;
  uint32_t reserved;
  const char* file;
  int32_t rin;
  int32_t mrin;
} KorAddOnBlock;

typedef void (*KorAddOnFunction)(const KorAddOnBlock* block);

#define KOR_ADDON_ENTRY_NAME "ORV4AddOn"
#define KOR_ADDON_BLOCK_SIZE 24u

#ifdef __cplusplus
}
static_assert(sizeof(void*) == 8, "the add-on call block is laid out for 64-bit systems");
static_assert(sizeof(KorAddOnBlock) == KOR_ADDON_BLOCK_SIZE);
static_assert(offsetof(KorAddOnBlock, file) == 8);
static_assert(offsetof(KorAddOnBlock, rin) == 16);
static_assert(offsetof(KorAddOnBlock, mrin) == 20);
#endif

#endif /* KORVANE_ADDON_CALL_H */
