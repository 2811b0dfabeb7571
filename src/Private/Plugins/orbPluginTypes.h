// The records of the host boundary: the call record every export receives, its data
// descriptors, and the module information block. Packed, little-endian; in a 32-bit
// process every field sits at the offset the host expects (checked in the .cpp), in a
// 64-bit build the order is kept with pointers widened.
#pragma once

#include <cstdint>

namespace orb {

class TorbParamsList;

#if defined(_WIN32) && defined(__i386__)
#define ORB_STDCALL __stdcall
#else
#define ORB_STDCALL
#endif

// The framework's interface version, reported to the host.
constexpr std::uint32_t PluginInterfaceVersion = 4;

// Call kinds.
constexpr std::uint8_t ckNormal = 1;
constexpr std::uint8_t ckRelease = 0xFF;
constexpr std::uint8_t ckShutdown = 0xFE;

// Result codes at the boundary.
constexpr std::int32_t prInvalid = -1;      // invalid call, no instance, unloaded, time-out
constexpr std::int32_t prNotHandled = -2;   // command not handled
constexpr std::int32_t prException = -3;    // an exception occurred (logged)

// Kinds of TPluginData::Data.
constexpr std::uint8_t pdtNone = 0;
constexpr std::uint8_t pdtParamsList = 1;
constexpr std::uint8_t pdtInteger = 5;
constexpr std::uint8_t pdtCode = 6;
constexpr std::uint8_t pdtParamsList2 = 8;

// Acknowledges the list a previous GetData or GetEvents returned.
constexpr std::uintptr_t AcknowledgeCode = 0x301;

enum TModuleType : std::uint8_t {
  mttDataQuery,
  mttDataParser,
  mttDataExport,
  mttEventsHandling,
  mttLogging,
  mttFilter,
  mttDeviceLayer,
  mttMenuExt,
};
using TModuleTypes = std::uint8_t;  // one bit per TModuleType
constexpr TModuleTypes ModuleTypeBit(TModuleType t) { return static_cast<TModuleTypes>(1u << t); }
constexpr bool HasModuleType(TModuleTypes set, TModuleType t) { return (set & ModuleTypeBit(t)) != 0; }

enum TModuleOption : std::uint8_t { moNoConfig, moXMLOptions, moMultiConfig };
using TModuleOptions = std::uint8_t;
constexpr TModuleOptions ModuleOptionBit(TModuleOption o) { return static_cast<TModuleOptions>(1u << o); }

#pragma pack(push, 1)

struct TPluginData {
  std::uint32_t Reserved;
  std::int32_t Size;
  std::uint8_t DataType;
  std::uintptr_t Data;  // pointer or immediate value, by DataType

  TorbParamsList* List() const { return reinterpret_cast<TorbParamsList*>(Data); }
};

struct PluginCallRec {
  std::uint32_t RecSize;
  std::uint8_t CallKind;
  std::uint32_t ConfigId;
  std::uint32_t ModuleIndex;
  std::uint32_t SourceRef;
  std::uint32_t SourceId;
  TModuleTypes ModuleTypes;
  TorbParamsList* Params;
  TPluginData Input;
  TPluginData Output;
  std::uint8_t HostContext[50];
};
using PPluginCallRec = PluginCallRec*;

struct TModuleInfoBlock {
  std::uint32_t BufferSize;
  std::uint32_t TypeWord;
  std::uint32_t InterfaceVersion;
  float MinVersion;
  std::uint8_t IsMultiThreadSupported;
  std::uint32_t DescriptionLength;
  const char* Description;
  std::uint32_t CustomCommandsLength;
  const char* CustomCommands;
};

#pragma pack(pop)

// The size a valid call record declares in RecSize.
constexpr std::uint32_t PluginCallRecSize = sizeof(PluginCallRec);

// A fresh record for calls the framework makes itself: zeroed, sized, an ordinary call.
inline PluginCallRec NewCallRec() {
  PluginCallRec rec{};
  rec.RecSize = PluginCallRecSize;
  rec.CallKind = ckNormal;
  return rec;
}

}  // namespace orb
