#pragma once
// The table of call-interface record types: per type, the number walk that
// resolves a read's number and the type's read, add, update and delete.
// RecordCalls dispatches through it; adding a record type is one entry.
// Each call gets the owner, whose parts it works through.

#include <cstdint>

#include "RecordRef.h"

class CEventTypeRecord;
class ORV3;

struct RecordTypes {
  using Read = int (*)(ORV3& engine, std::int32_t number, int type, RecordRef rec, int detail,
                       int flag);
  using Add = std::int32_t (*)(ORV3& engine, bool reuse, RecordRef rec);
  using Update = int (*)(ORV3& engine, std::int32_t number, int type, RecordRef rec);
  using Remove = int (*)(ORV3& engine, std::int32_t number);

  struct Entry {
    int type;
    int walk;          // GetRIN kind that resolves a read's number; 0 none
    bool needsNumber;  // a read of number 0 or less fails without a message
    Read read;         // null where the type has no such call
    Add add;
    Update update;
    Remove remove;
  };

  // The entry of a type; null for a type the calls do not know.
  static const Entry* Find(int type);
  // Stores an event type object in record t (joining the tree when isNew,
  // re-sorted when its title changed); 1, or 0 with a message.
  static int StoreEventType(ORV3& engine, std::int32_t t, const CEventTypeRecord& obj, bool isNew);
};
