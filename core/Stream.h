#pragma once
// Streams of bytes: the abstract TStream and the growable in-memory TMemoryStream.

#include <cstdint>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Reads or writes up to `count` bytes at the position and returns how many were moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Moves the position and returns the new one.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() const = 0;
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    // Exactly `count` bytes or Exception ("Stream read error" / "Stream write error").
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);

    // Copies `count` bytes from the source's position; a count of 0 copies the whole source
    // from its start. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    void SetSize(std::int64_t size) override;

    // Empties the stream and rewinds it.
    void Clear();
    // Replaces the contents with the whole of the other stream and rewinds.
    void LoadFromStream(TStream& source);

    std::uint8_t* Memory() { return m_bytes.data(); }
    const std::uint8_t* Memory() const { return m_bytes.data(); }

private:
    std::vector<std::uint8_t> m_bytes;
    std::int64_t m_position = 0;
};
