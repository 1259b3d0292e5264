#pragma once
// The system error numbers that the file and drive services report. The engine's OS services
// compare these numbers and map each to a code of their own, so a value never changes once
// given; kSysOk (0) is success.
#include <cstdint>

namespace plat {

using SysErr = uint32_t;

constexpr SysErr kSysOk = 0;
constexpr SysErr kSysFileNotFound = 2;
constexpr SysErr kSysPathNotFound = 3;
constexpr SysErr kSysTooManyOpenFiles = 4;
constexpr SysErr kSysAccessDenied = 5;
constexpr SysErr kSysInvalidHandle = 6;
constexpr SysErr kSysNotEnoughMemory = 8;
constexpr SysErr kSysInvalidAccess = 12;
constexpr SysErr kSysInvalidData = 13;
constexpr SysErr kSysInvalidDrive = 15;
constexpr SysErr kSysCurrentDirectory = 16;
constexpr SysErr kSysNoMoreFiles = 18;
constexpr SysErr kSysWriteProtect = 19;
constexpr SysErr kSysNotReady = 21;
constexpr SysErr kSysGeneralFailure = 31;
constexpr SysErr kSysSharingViolation = 32;
constexpr SysErr kSysLockViolation = 33;
constexpr SysErr kSysWrongDisk = 34;
constexpr SysErr kSysHandleEof = 38;
constexpr SysErr kSysHandleDiskFull = 39;
constexpr SysErr kSysNotSupported = 50;
constexpr SysErr kSysFileExists = 80;
constexpr SysErr kSysInvalidParameter = 87;
constexpr SysErr kSysDiskChange = 107;
constexpr SysErr kSysDriveLocked = 108;
constexpr SysErr kSysBufferOverflow = 111;
constexpr SysErr kSysDiskFull = 112;
constexpr SysErr kSysInvalidName = 123;
constexpr SysErr kSysDirNotEmpty = 145;
constexpr SysErr kSysAlreadyExists = 183;
constexpr SysErr kSysNameTooLong = 206;
constexpr SysErr kSysDirectoryInvalid = 267;
constexpr SysErr kSysIoDevice = 1117;

}  // namespace plat
