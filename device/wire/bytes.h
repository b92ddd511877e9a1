#pragma once
// Little-endian field access on fixed buffers. Out-of-range reads yield 0 and
// out-of-range writes are dropped, so a short or odd report never reaches past its buffer.

#include <cstddef>
#include <cstdint>

namespace wire {

inline std::uint8_t getU8(const std::uint8_t *data, std::size_t length, std::size_t offset)
{
    return offset < length ? data[offset] : 0;
}

inline std::uint16_t getU16(const std::uint8_t *data, std::size_t length, std::size_t offset)
{
    return static_cast<std::uint16_t>(getU8(data, length, offset)
                                      | (getU8(data, length, offset + 1) << 8));
}

inline std::uint32_t getU32(const std::uint8_t *data, std::size_t length, std::size_t offset)
{
    return static_cast<std::uint32_t>(getU16(data, length, offset))
        | (static_cast<std::uint32_t>(getU16(data, length, offset + 2)) << 16);
}

inline void putU8(std::uint8_t *data, std::size_t length, std::size_t offset, std::uint8_t value)
{
    if (offset < length)
        data[offset] = value;
}

inline void putU16(std::uint8_t *data, std::size_t length, std::size_t offset, std::uint16_t value)
{
    putU8(data, length, offset, static_cast<std::uint8_t>(value & 0xFF));
    putU8(data, length, offset + 1, static_cast<std::uint8_t>(value >> 8));
}

inline void putU32(std::uint8_t *data, std::size_t length, std::size_t offset, std::uint32_t value)
{
    putU16(data, length, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    putU16(data, length, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

} // namespace wire
