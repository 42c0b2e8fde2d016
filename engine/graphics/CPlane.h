#pragma once

#include <cstddef>
#include <memory>

// One pixel or alpha plane, counted among the rasters that share it: a raster that lets go
// of it never frees bytes that another raster still draws from. A plane handed to the raster
// by pointer may stay the caller's to free (borrowed), or become the rasters' (owned).
class CPlane {
public:
    CPlane() = default;

    // A new owned plane of uninitialised bytes; an empty plane for 0 bytes.
    static CPlane allocate(size_t bytes);
    // The raster takes the bytes (made with new[]) when owned, else only points at them.
    static CPlane take(char* bytes, bool owned);

    char* get() const { return block_ ? block_->bytes : nullptr; }
    unsigned char* bytes() const { return reinterpret_cast<unsigned char*>(get()); }
    explicit operator bool() const { return get() != nullptr; }
    bool isShared() const { return block_.use_count() > 1; }

    // Lets go of the plane; its bytes are freed when no other raster holds them.
    void reset() { block_.reset(); }
    // Lets go of the plane and leaves its bytes to whoever keeps their pointer: no raster
    // frees them any more.
    void handOver();

private:
    struct Block {
        Block(char* bytes, bool owned)
            : bytes(bytes)
            , owned(owned)
        {
        }
        Block(const Block&) = delete;
        Block& operator=(const Block&) = delete;
        ~Block();

        char* bytes;
        bool owned;
    };

    std::shared_ptr<Block> block_;
};
