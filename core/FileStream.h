#pragma once
// TFileStream: a stream over a file opened through the platform's file calls, with the open
// modes and share modes of the runtime.

#include "core/Exception.h"
#include "core/Stream.h"
#include "platform/base/WinTypes.h"

#include <string>

// Open modes: one access mode, or fmCreate (create or empty the file, read and write), with
// one share mode. Compatibility mode shares nothing, as fmShareExclusive.
constexpr WORD fmCreate = 0xFF00;
constexpr WORD fmOpenRead = 0x0000;
constexpr WORD fmOpenWrite = 0x0001;
constexpr WORD fmOpenReadWrite = 0x0002;
constexpr WORD fmShareCompat = 0x0000;
constexpr WORD fmShareExclusive = 0x0010;
constexpr WORD fmShareDenyWrite = 0x0020;
constexpr WORD fmShareDenyRead = 0x0030;
constexpr WORD fmShareDenyNone = 0x0040;

// Raised when a file stream cannot open or create its file.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

class TFileStream : public TStream {
public:
    // Raises EFOpenError ("Cannot open file "%s". <reason>") or EFCreateError ("Cannot
    // create file "%s". <reason>").
    TFileStream(const std::string& fileName, WORD mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override;
    void SetSize(std::int64_t size) override;

    const std::string& FileName() const { return m_fileName; }
    HANDLE Handle() const { return m_handle; }

private:
    std::string m_fileName;
    HANDLE m_handle;
};
