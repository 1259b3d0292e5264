#pragma once
// A lead-byte table for tests of double-byte text: 0x81 and 0x82 start two-byte characters.
#include "platform/charset/Characters.h"

inline plat::LeadByteTable testLeadBytes() {
    plat::LeadByteTable table{};
    table[0x81] = true;
    table[0x82] = true;
    return table;
}

class DoubleByteText {
public:
    DoubleByteText() : table_(testLeadBytes()), scoped_(table_) {}

private:
    plat::LeadByteTable table_;
    plat::ScopedLeadByteTable scoped_;
};
