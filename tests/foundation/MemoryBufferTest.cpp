#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"
#include "foundation/CMemStorage.h"
#include "foundation/CMemStream.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// A stream over the given bytes, read through a file as the engine does.
std::unique_ptr<CMemStream> streamOver(const std::string& bytes)
{
    TempFolder folder;
    const std::string path = folder.write("data.bin", bytes);
    CFile file(nullptr, CXString(path.c_str()), CFile::MODE_READ | CFile::MODE_BINARY);
    return std::make_unique<CMemStream>(&file);
}

std::string contents(const CMemStorage& storage)
{
    std::string bytes(static_cast<size_t>(storage.getTotalSize()), '\0');
    storage.copy(bytes.data());
    return bytes;
}

} // namespace

TEST(CMemStream, ReadsBitsMostSignificantFirstAndAlignsForBytes)
{
    auto stream = streamOver("\xB5\x0F");
    EXPECT_EQ(stream->getSize(), 2);
    EXPECT_EQ(stream->get_bits(3), 5);
    EXPECT_EQ(stream->get_signed_bits(5), -11);
    EXPECT_EQ(stream->get_char(), 0x0F);
    EXPECT_EQ(stream->get_bits(0), 0);
    EXPECT_EQ(stream->get_signed_bits(0), 0);

    auto sign = streamOver("\x80\xFF\xFF");
    EXPECT_EQ(sign->get_signed_bits(1), -1);
    EXPECT_EQ(sign->get_shortint(), -1);

    auto ints = streamOver("\x01\x02\x03\x04\x05");
    ints->get_bit();
    EXPECT_EQ(ints->get_int(), 0x05040302);
}

TEST(CMemStream, GetBytesKeepsTheBitPositionAndMoveAligns)
{
    auto stream = streamOver("\xFF\xAA\x10\x77");
    stream->get_bits(3);
    char copied[2];
    stream->get_bytes(copied, 2);
    EXPECT_EQ(copied[0], '\xFF');
    EXPECT_EQ(copied[1], '\xAA');
    EXPECT_EQ(stream->get_bits(2), 2);
    stream->move(-2);
    EXPECT_EQ(*stream->getPtr(), 0xAA);
    stream->move(1);
    EXPECT_EQ(stream->get_char(), 0x10);
}

// The stream held no bounds of its own: reads at the end went on past the file's bytes.
TEST(CMemStream, ReadsPastTheEndGiveZeroAndStayAtTheEnd)
{
    auto stream = streamOver("\x12\x34\x56");
    stream->move(2);
    EXPECT_EQ(stream->get_int(), 0x56);
    EXPECT_EQ(stream->get_char(), 0);
    EXPECT_EQ(stream->get_bit(), 0);
    EXPECT_EQ(stream->get_signed_bits(8), 0);
    char copied[4] = { 1, 1, 1, 1 };
    stream->move(-1);
    stream->get_bytes(copied, 4);
    EXPECT_EQ(std::string(copied, 4), std::string("\x56\0\0\0", 4));
    stream->move(-1000);
    EXPECT_EQ(stream->get_char(), 0x12);
    stream->move(1000);
    EXPECT_EQ(stream->get_shortint(), 0);

    auto empty = streamOver("");
    EXPECT_EQ(empty->get_int(), 0);
}

// Copies used to share the byte block, and both freed it.
TEST(CMemStream, CopiesOwnTheirBytes)
{
    auto original = streamOver("\x01\x02\x03");
    original->get_char();
    CMemStream copy(*original);
    original.reset();
    EXPECT_EQ(copy.get_char(), 2);
    CMemStream assigned = copy;
    assigned = copy;
    EXPECT_EQ(assigned.get_char(), 3);
    EXPECT_EQ(copy.get_char(), 3);
}

TEST(CMemStorage, FillsBlocksAndCopiesOutInOrder)
{
    EXPECT_EQ(CMemStorage().getBlockSize(), 102400);

    CMemStorage storage(10);
    storage.put("abcdef", 6);
    storage.put("ghij", 4);
    EXPECT_EQ(storage.getBlockCount(), 1);
    storage.put("k", 1);
    EXPECT_EQ(storage.getBlockCount(), 2);
    EXPECT_EQ(storage.getTotalSize(), 11);
    EXPECT_EQ(contents(storage), "abcdefghijk");
}

// A piece longer than a block was copied into the block regardless, past its end.
TEST(CMemStorage, APieceLongerThanABlockGetsABlockOfItsOwn)
{
    CMemStorage storage(10);
    storage.put("ab", 2);
    const std::string longPiece = "0123456789abcdefghijklmno";
    storage.put(longPiece.data(), static_cast<int>(longPiece.size()));
    storage.put("xy", 2);
    EXPECT_EQ(storage.getTotalSize(), 29);
    EXPECT_EQ(contents(storage), "ab" + longPiece + "xy");
}

// Copies used to share the blocks, and both freed them.
TEST(CMemStorage, CopiesOwnTheirBlocks)
{
    auto original = std::make_unique<CMemStorage>(4);
    original->put("abc", 3);
    CMemStorage copy(*original);
    original->put("d", 1);
    original.reset();
    copy.put("XYZ", 3);
    EXPECT_EQ(contents(copy), "abcXYZ");
}

TEST(CDataBuffer, CursorMovesByWholeElements)
{
    const char source[] = "abcdefgh";
    CDataBuffer buffer(source, 4, 2);
    EXPECT_EQ(buffer.getMemoryUsage(), 8);
    EXPECT_EQ(buffer.getPtr(), buffer.getBuffer());
    ++buffer;
    buffer += 2;
    EXPECT_EQ(*static_cast<char*>(buffer), 'g');
    --buffer;
    EXPECT_EQ(*static_cast<short*>(buffer), static_cast<short>('e' | 'f' << 8));
    buffer -= 2;
    EXPECT_EQ(*static_cast<char*>(buffer), 'a');
    buffer += 3;
    buffer.start();
    EXPECT_EQ(buffer.getPtr(), buffer.getBuffer());
    buffer.zero();
    EXPECT_EQ(std::string(static_cast<char*>(buffer.getBuffer()), 8), std::string(8, '\0'));
}

TEST(CDataBuffer, RestoreCopiesTheBackupBackUntilItIsDiscarded)
{
    CDataBuffer buffer("abcd", 4, 1);
    // Overwrites the first byte, restores, and gives the text that is left.
    auto scribbleAndRestore = [&](char c, bool discard) {
        static_cast<char*>(buffer.getBuffer())[0] = c;
        buffer.restore(discard);
        return std::string(static_cast<char*>(buffer.getBuffer()), 4);
    };
    EXPECT_EQ(scribbleAndRestore('Q', false), "Qbcd");
    buffer.backup();
    EXPECT_EQ(scribbleAndRestore('X', false), "Qbcd");
    EXPECT_EQ(scribbleAndRestore('Y', false), "Qbcd");
    EXPECT_EQ(scribbleAndRestore('Z', true), "Qbcd");
    EXPECT_EQ(scribbleAndRestore('W', false), "Wbcd");
}

// Copies used to share the block and the backup, and both freed them.
TEST(CDataBuffer, ClonesAndCopiesOwnTheirBlocks)
{
    auto original = std::make_unique<CDataBuffer>("abcdef", 3, 2);
    original->backup();
    ++*original;
    std::unique_ptr<CDataBuffer> clone(original->clone());
    CDataBuffer copy(*original);
    copy = *original;
    static_cast<char*>(original->getBuffer())[0] = 'X';
    original.reset();

    for (CDataBuffer* buffer : { clone.get(), &copy }) {
        EXPECT_EQ(std::string(static_cast<char*>(buffer->getBuffer()), 6), "abcdef");
        EXPECT_EQ(static_cast<char*>(buffer->getPtr()) - static_cast<char*>(buffer->getBuffer()), 2);
        static_cast<char*>(buffer->getBuffer())[1] = 'Q';
        buffer->restore(true);
        EXPECT_EQ(std::string(static_cast<char*>(buffer->getBuffer()), 6), "abcdef");
    }

    CDataBuffer flushed("ab", 2, 1);
    flushed.flush();
    flushed.backup();
    CDataBuffer copyOfFlushed(flushed);
    EXPECT_EQ(copyOfFlushed.getBuffer(), nullptr);
}

TEST(CDataBuffer2Dim, WalksRowsOfElements)
{
    CDataBuffer2Dim plane(CXSize(4, 3), 2);
    EXPECT_EQ(plane.getWidth(), 4);
    EXPECT_EQ(plane.getHeight(), 3);
    EXPECT_EQ(plane.getMemoryUsage(), 24);
    auto offset = [](CDataBuffer& b) { return static_cast<char*>(b.getPtr()) - static_cast<char*>(b.getBuffer()); };
    plane.at(1, 2);
    EXPECT_EQ(offset(plane), 18);
    plane.prevLine();
    EXPECT_EQ(offset(plane), 10);
    plane.nextLine();
    plane.nextLine();
    EXPECT_EQ(offset(plane), 26);

    std::vector<char> source(24);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<char>(i);
    CDataBuffer2Dim filled(source.data(), CXSize(4, 3), 2);
    filled.at(3, 1);
    std::unique_ptr<CDataBuffer2Dim> clone(filled.clone());
    EXPECT_EQ(clone->getWidth(), 4);
    EXPECT_EQ(clone->getHeight(), 3);
    EXPECT_EQ(offset(*clone), 14);
    EXPECT_EQ(*static_cast<char*>(*clone), 14);
}
