#ifndef PARVOLIN_PLATFORM_IDS_H
#define PARVOLIN_PLATFORM_IDS_H

// The platform identifiers Device reports: one bit for the family, one for the generation.
namespace PlatformId {
enum : unsigned long {
    PocketPcFamily = 0x200,
    SmartphoneFamily = 0x400,
    PocketPc2002 = 0x201,
    PocketPc2003 = 0x204,
    PocketPc2005 = 0x208,
    Smartphone2002 = 0x401,
    Smartphone2003 = 0x402,
    Smartphone2005 = 0x404,
    Unknown = 0xFFFFFFFF,
};

// Asks the system which platform this is; Unknown when it cannot tell (worth asking again).
unsigned long detect();

// The platform's display name; "Unknown platform" for anything else.
const wchar_t* nameOf(unsigned long id);
} // namespace PlatformId

#endif
