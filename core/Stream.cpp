#include "core/Stream.h"

#include "core/Exception.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw Exception("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw Exception("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::int64_t copied = 0;
    std::uint8_t chunk[64 * 1024];
    while (copied < count) {
        std::int64_t step = std::min<std::int64_t>(count - copied, sizeof chunk);
        source.ReadBuffer(chunk, step);
        WriteBuffer(chunk, step);
        copied += step;
    }
    return copied;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0 || m_position >= Size())
        return 0;
    std::int64_t available = std::min(count, Size() - m_position);
    std::memcpy(buffer, m_bytes.data() + m_position, static_cast<std::size_t>(available));
    m_position += available;
    return available;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    std::int64_t end = m_position + count;
    if (end > Size())
        m_bytes.resize(static_cast<std::size_t>(end));
    std::memcpy(m_bytes.data() + m_position, buffer, static_cast<std::size_t>(count));
    m_position = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case TSeekOrigin::soBeginning:
        m_position = offset;
        break;
    case TSeekOrigin::soCurrent:
        m_position += offset;
        break;
    case TSeekOrigin::soEnd:
        m_position = Size() + offset;
        break;
    }
    // A position past the end is allowed (a later write fills the gap with zeros); one before
    // the start is not.
    m_position = std::max<std::int64_t>(m_position, 0);
    return m_position;
}

void TMemoryStream::SetSize(std::int64_t size) {
    m_bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    m_position = std::min(m_position, Size());
}

void TMemoryStream::Clear() {
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_position = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    std::int64_t size = source.Size();
    m_bytes.resize(static_cast<std::size_t>(size));
    m_position = 0;
    source.ReadBuffer(m_bytes.data(), size);
}
