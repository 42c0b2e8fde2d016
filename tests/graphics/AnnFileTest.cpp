#include "foundation/CFile.h"
#include "graphics/CAnimo.h"
#include "graphics/CFrame.h"
#include "graphics/CImageFile.h"

#include "AnimationWorld.h"
#include "AnnFixtures.h"

#include <gtest/gtest.h>

namespace {

// The pixels and alpha bytes of an image, unpacked.
std::pair<std::vector<uint16_t>, std::vector<uint8_t>> picture(CGraphicsObject* image)
{
    CGraphicsObject copy(nullptr);
    copy.Copy(image);
    return {wordsOf(copy), alphaOf(copy)};
}

void expectSameEvent(const _annEventInfo3& a, const _annEventInfo3& b)
{
    EXPECT_EQ(a.getName(), b.getName());
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(std::tie(a.loopStart, a.loopEnd, a.loopCount, a.loopCounter, a.fps, a.flags, a.opacity),
              std::tie(b.loopStart, b.loopEnd, b.loopCount, b.loopCounter, b.fps, b.flags, b.opacity));
    EXPECT_EQ(std::tie(a.carried55, a.carried57, a.carried58, a.carried59, a.carried63),
              std::tie(b.carried55, b.carried57, b.carried58, b.carried59, b.carried63));
}

void expectSameRecord(const _anmFrameInfo3& a, const _anmFrameInfo3& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.sound, b.sound);
    EXPECT_EQ(std::tie(a.dx, a.dy, a.carried12, a.carried20, a.opacity, a.carried25),
              std::tie(b.dx, b.dy, b.carried12, b.carried20, b.opacity, b.carried25));
}

bool isEmpty(CAnimo& animation)
{
    return animation.GetNOF() == 0 && animation.GetNOE() == 0;
}

int load(CAnimo& animation, const std::string& bytes)
{
    return animation.LoadFromMemory(bytes.data(), bytes.size());
}

// A current-generation file of one 2 × 2 image with an alpha plane and one event showing it.
std::string oneImageFile(const char* signature = "NVP", size_t imageHeader = 52)
{
    return ann::header(signature, 1, 16, 1, 10, 0x100, 255, 0) + ann::text("") + ann::text("")
           + ann::event({"show", {0}}) + ann::frame({})
           + ann::image(2, 2, 1, 2, 0, 8, {0, 0, 0, 4}, imageHeader) + ann::picture(7) + ann::kAlpha;
}

// What a file gives an animation besides its images and events.
auto contentOf(CAnimo& animation)
{
    return std::make_tuple(animation.GetNOF(), animation.GetNOE(), std::string(animation.Author().c_str()),
                           std::string(animation.Description().c_str()), animation.GetFPS(), animation.getAnimoFlags(),
                           animation.GetFlags(), static_cast<int>(animation.GetOpacity()),
                           static_cast<int>(animation.RandomFramesNumber()), animation.GetBpp());
}

// The colours of an image's pixels, whatever its depth.
std::vector<int> coloursOf(CFrame* image)
{
    const _colormodel model = image->GetBpp() == 15 ? CM_15BIT : CM_16BIT;
    std::vector<int> colours;
    for (const uint16_t word : picture(image).first)
        colours.push_back(CColor(static_cast<short>(word), model).Convert(CM_24BIT));
    return colours;
}

} // namespace

TEST(AnnFile, RecordsAreWrittenFieldByFieldAsLaidOutByHand)
{
    AnimationWorld world;
    CAnimo animation(world.window());
    animation.AddFrame(countingImage(0x1234, 2, 1, CXPoint(3, 4)).get());
    _annEventInfo3 walk = eventOf("walk", {0});
    walk.flags = CAnimo::EVENT_HIDE_ON_STOP;
    animation.AddEvent(&walk);
    _anmFrameInfo3* record = animation.GetFrameInfo(0, 0);
    record->name = "a";
    record->sound = "s.wav";
    record->dx = 5;
    record->dy = -2;
    record->opacity = 128;
    const _annEventInfo3 idle = eventOf("idle", {});
    animation.AddEvent(&idle);
    animation.Author() = "me";
    animation.Description() = "";
    animation.SetFPS(12);
    animation.RandomFramesNumber() = 7;
    animation.setAnimoFlags(CAnimo::ANIMO_PLAY_ON);

    ASSERT_EQ(animation.Save(world.path("walk.ann"), COMPRESSION_NONE), 0);
    const std::string idleRecord = ann::event({"idle", {}});
    EXPECT_EQ(idleRecord.size(), 67u);
    const std::string expected = ann::header("NVP", 1, 16, 2, 12, CAnimo::ANIMO_PLAY_ON, 255, 7) + ann::text("me")
                                 + ann::text("") + ann::event({"walk", {0}, 0, 0, 0, 15, 0x100})
                                 + ann::frame({"a", std::nullopt, 5, -2, "s.wav", 128}) + idleRecord
                                 + ann::image(2, 1, 3, 4, 0, 4, {0, 0, 0, 2}) + asBytes({0x1234, 0x1235})
                                 + std::string("\xFF\xD7", 2);
    EXPECT_EQ(world.folder().read("walk.ann"), expected);

    // The legacy generic save writes its 12-byte header only.
    CFile file(world.window(), world.path("legacy.ann"), 2 | CFile::MODE_UPDATE | CFile::MODE_BINARY);
    EXPECT_EQ(animation.Save(&file, static_cast<_compression>(1)), 0);
    file.Close();
    EXPECT_EQ(world.folder().read("legacy.ann"), std::string("PI2\0\1\0\4\0\0\0\0\0", 12));
}

TEST(AnnFile, AWrittenFileReadsBackEqualAtEitherPackingCode)
{
    AnimationWorld world;
    CAnimo original(world.window());
    original.AddFrame(countingImage(10, 3, 2, CXPoint(-4, 6)).get());
    original.AddFrame(countingImage(2000, 5, 1, CXPoint(7, -1)).get());
    auto opaque = makeFilled(4, 4, 16, 0x7BEF);
    original.AddFrame(opaque.get());
    _annEventInfo3 run = eventOf("Run", {2, 0, 1, 0}, 1, 3, 2, CAnimo::EVENT_BOUNCE | CAnimo::EVENT_KEEP_SOUND);
    run.fps = 25;
    run.opacity = 77;
    run.loopCounter = 1;
    run.carried55 = 0x1234;
    run.carried57 = 5;
    run.carried58 = 6;
    run.carried59 = 0xDEADBEEF;
    run.carried63 = 9;
    const _annEventInfo3 idle = eventOf("idle", {});
    original.AddEvent(&run);
    original.AddEvent(&idle);
    _anmFrameInfo3* first = original.GetFrameInfo(0, 0);
    first->name = "step";
    first->text = "";
    first->sound = "one.wav;two.wav";
    first->carried12 = 3;
    first->carried20 = 4;
    first->carried25 = 5;
    _anmFrameInfo3* last = original.GetFrameInfo(0, 3);
    last->sound = "three.wav";
    last->dx = -300;
    last->opacity = 9;
    original.Author() = "author";
    original.Description() = "what it shows";
    original.SetFPS(30);
    original.SetOpacity(200);
    original.RandomFramesNumber() = -3;
    original.setAnimoFlags(CAnimo::ANIMO_NO_INTERRUPT | CAnimo::ANIMO_PLAY_ON);

    // Packed by the first save, the images are written unpacked by the second.
    for (const _compression code : {COMPRESSION_RLE, COMPRESSION_NONE}) {
        SCOPED_TRACE(code);
        ASSERT_EQ(original.Save(world.path("run.ann"), code), 0);
        const int soundsBefore = world.soundCount();
        CAnimo copy(world.window());
        ASSERT_EQ(copy.Load(world.path("run.ann")), 0);
        EXPECT_TRUE(copy.isLoaded());
        // Three frame sounds: two behind the random one, one plain.
        EXPECT_EQ(world.soundCount() - soundsBefore, 3);

        ASSERT_EQ(copy.GetNOF(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(copy.GetFrame(i)->GetCompression(), code) << i;
            EXPECT_EQ(picture(copy.GetFrame(i)), picture(original.GetFrame(i))) << i;
            EXPECT_EQ(copy.GetFrame(i)->GetFramePosition(), original.GetFrame(i)->GetFramePosition()) << i;
        }
        ASSERT_EQ(copy.GetNOE(), 2);
        for (int e = 0; e < 2; ++e)
            expectSameEvent(*copy.GetEventInfo(e), *original.GetEventInfo(e));
        for (int p = 0; p < 4; ++p)
            expectSameRecord(*copy.GetFrameInfo(0, p), *original.GetFrameInfo(0, p));
        EXPECT_EQ(copy.GetFrameInfo(1, 0), nullptr);
        EXPECT_EQ(copy.Author(), "author");
        EXPECT_EQ(copy.Description(), "what it shows");
        EXPECT_EQ(copy.GetFPS(), 30);
        EXPECT_EQ(copy.GetOpacity(), 200);
        EXPECT_EQ(copy.RandomFramesNumber(), -3);
        EXPECT_EQ(copy.getAnimoFlags(),
                  CAnimo::ANIMO_NO_INTERRUPT | CAnimo::ANIMO_PLAY_ON | CAnimo::ANIMO_CURRENT_FORMAT);
        // The first event with frames shows its first position.
        EXPECT_EQ(copy.Current(), 2);
    }
}

TEST(AnnFile, EveryCurrentSignatureReadsTheSameLayout)
{
    struct Case {
        const char* signature;
        size_t imageHeader;
        bool currentFormat;
    };
    for (const Case& c : {Case{"NVP", 52, true}, Case{"NVI", 52, false}, Case{"NV+", 32, true}}) {
        SCOPED_TRACE(c.signature);
        CAnimo animation(nullptr);
        ASSERT_EQ(load(animation, oneImageFile(c.signature, c.imageHeader)), 0);
        ASSERT_EQ(animation.GetNOF(), 1);
        EXPECT_EQ(picture(animation.GetFrame(0)).first, std::vector<uint16_t>({7, 8, 9, 10}));
        EXPECT_EQ(picture(animation.GetFrame(0)).second, std::vector<uint8_t>({0xFF, 0x80, 0x40, 0x00}));
        EXPECT_EQ(animation.GetFrame(0)->GetFramePosition(), CXPoint(1, 2));
        EXPECT_EQ(animation.getAnimoFlags() & CAnimo::ANIMO_CURRENT_FORMAT, c.currentFormat ? CAnimo::ANIMO_CURRENT_FORMAT : 0u);
        // Only bits 8 to 23 are animation flags; the low byte is the raster's.
        EXPECT_EQ(animation.getAnimoFlags() & ~CAnimo::ANIMO_CURRENT_FORMAT, 0x100u);
    }
}

TEST(AnnFile, TheMiddleGenerationReadsItsEventsOrThreeStandardOnes)
{
    const auto middle = [](int events, const std::string& eventBytes) {
        CByteWriter out;
        out.bytes("PAK", 4).u16(2).bytes(ann::fixed("auth", 128).data(), 128).bytes(ann::fixed("desc", 256).data(), 256);
        out.u16(0).u16(static_cast<uint16_t>(events)).bytes(ann::zeros(13).data(), 13);
        return bytesOf(out) + eventBytes + ann::image(2, 2, 0, 0, 0, 8, {0, 0, 0, 4}, 32)
               + ann::image(2, 2, 5, 5, 0, 8, {}, 32) + ann::picture(1) + ann::kAlpha + ann::picture(5);
    };

    CAnimo standard(nullptr);
    ASSERT_EQ(load(standard, middle(0, "")), 0);
    EXPECT_EQ(standard.GetBpp(), 15);
    EXPECT_EQ(standard.Author(), "auth");
    EXPECT_EQ(standard.Description(), "desc");
    ASSERT_EQ(standard.GetNOE(), 3);
    for (int e = 0; e < 3; ++e) {
        EXPECT_EQ(standard.GetEventName(e), "standard");
        EXPECT_EQ(standard.GetEventInfo(e)->frames, e < 2 ? std::vector<uint16_t>({0, 1}) : std::vector<uint16_t>({1, 0}));
        EXPECT_EQ(standard.GetEventInfo(e)->opacity, 255);
        EXPECT_EQ(standard.GetFrameInfo(e, 0), nullptr);
    }
    EXPECT_EQ(picture(standard.GetFrame(1)).first, std::vector<uint16_t>({5, 6, 7, 8}));

    CByteWriter jump;
    jump.bytes(ann::fixed("jump", 32).data(), 32).u16(2).u16(1).u16(0).u16(3).u16(1).u16(0);
    jump.u16(4).u16(0).bytes(ann::zeros(6).data(), 6).u16(static_cast<uint16_t>(-1)).u16(2).bytes(ann::zeros(6).data(), 6);
    CAnimo own(nullptr);
    ASSERT_EQ(load(own, middle(1, bytesOf(jump))), 0);
    ASSERT_EQ(own.GetNOE(), 1);
    const _annEventInfo3* event = own.GetEventInfo(0);
    EXPECT_EQ(event->getName(), "jump");
    EXPECT_EQ(event->frames, std::vector<uint16_t>({1, 0}));
    EXPECT_EQ(std::tie(event->loopStart, event->loopEnd, event->loopCount, event->fps, event->opacity),
              std::make_tuple(uint16_t{1}, uint16_t{1}, uint16_t{3}, uint32_t{15}, uint8_t{255}));
    EXPECT_EQ(own.GetFrameInfo(0, 0)->dx, 4);
    EXPECT_EQ(own.GetFrameInfo(0, 1)->dx, -1);
    EXPECT_EQ(own.GetFrameInfo(0, 1)->dy, 2);
}

TEST(AnnFile, LegacyFilesReadTheirKindOfImageAndPlayStandardEvents)
{
    const std::string colour = ann::picture(40);
    const std::string packedColour = lzoBlockOf(colour);
    const std::string packedAlpha = lzoBlockOf(ann::kAlpha);
    const auto fileHeader = [](const char* signature) {
        CByteWriter out;
        out.bytes(signature, 4).u16(1).u16(4).u32(0);
        return bytesOf(out);
    };
    const auto kind2or3 = [](uint32_t first, uint32_t alpha) {
        CByteWriter out;
        out.u16(2).u16(3).u16(2).u16(4).u16(0).u16(4).u32(4).u32(first).u32(0).u32(0).u32(alpha);
        return bytesOf(out);
    };
    CByteWriter pik;
    pik.u32(8).u32(4).u16(2).u16(3).u16(2).u16(4).u16(0).u16(4);
    struct Case {
        std::string file;
    };
    for (const Case& c : {Case{fileHeader("PIK") + bytesOf(pik) + colour + ann::kAlpha},
                          Case{fileHeader("PI2") + kind2or3(0, 4) + colour + ann::kAlpha},
                          Case{fileHeader("PI3") + kind2or3(static_cast<uint32_t>(packedColour.size()),
                                                            static_cast<uint32_t>(packedAlpha.size()))
                               + packedColour + packedAlpha}}) {
        SCOPED_TRACE(c.file.substr(0, 3));
        CAnimo animation(nullptr);
        ASSERT_EQ(load(animation, c.file), 0);
        ASSERT_EQ(animation.GetNOF(), 1);
        EXPECT_EQ(animation.GetFrame(0)->getHeaderKind(), c.file[2] == 'K' ? 1 : c.file[2] - '0');
        EXPECT_EQ(animation.GetFrame(0)->GetCompression(), COMPRESSION_NONE);
        EXPECT_EQ(picture(animation.GetFrame(0)).first, std::vector<uint16_t>({40, 41, 42, 43}));
        EXPECT_EQ(picture(animation.GetFrame(0)).second, std::vector<uint8_t>({0xFF, 0x80, 0x40, 0x00}));
        EXPECT_EQ(animation.GetFrame(0)->GetFramePosition(), CXPoint(3, 4));
        ASSERT_EQ(animation.GetNOE(), 3);
        EXPECT_EQ(animation.GetEventName(2), "standard");
    }
}

TEST(AnnFile, MiddleAndLegacyFilesEndAtTheScreensDepth)
{
    // Red, green, blue and white at 15 and at 16 bits.
    const std::vector<uint16_t> words15{0x7C00, 0x03E0, 0x001F, 0x7FFF};
    const std::vector<uint16_t> words16{0xF800, 0x07C0, 0x001F, 0xFFDF};
    const auto middle = [](int depth, const std::vector<uint16_t>& words) {
        CByteWriter out;
        out.bytes("PAK", 4).u16(1).bytes(ann::zeros(384).data(), 384).u16(static_cast<uint16_t>(depth)).u16(0);
        out.bytes(ann::zeros(13).data(), 13);
        return bytesOf(out) + ann::image(2, 2, 0, 0, 0, 8, {}, 32) + asBytes(words);
    };
    const auto legacy = [](int depthCode, const std::vector<uint16_t>& words) {
        CByteWriter out;
        out.bytes("PI2", 4).u16(1).u16(static_cast<uint16_t>(depthCode)).u32(0);
        out.u16(2).u16(0).u16(2).u16(0).u16(0).u16(static_cast<uint16_t>(depthCode)).u32(4).u32(0).u32(0).u32(0).u32(0);
        return bytesOf(out) + asBytes(words);
    };
    const struct {
        const char* title;
        int screenDepth;
        std::string file;
        int depth;
        std::vector<uint16_t> words;
    } cases[] = {
        {"a 15-bit \"PAK\" on a 16-bit screen", 16, middle(0, words15), 16, words16},
        {"a 15-bit legacy file on a 16-bit screen", 16, legacy(2, words15), 16, words16},
        {"a 16-bit \"PAK\" on a 15-bit screen", 15, middle(16, words16), 15, words15},
        {"the current generation keeps its depth", 16, ann::header("NVP", 1, 15, 0, 10, 0, 255, 0) + ann::text("")
                                                           + ann::text("") + ann::image(2, 2, 0, 0, 0, 8, {})
                                                           + asBytes(words15),
         15, words15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ScreenWorld world;
        ASSERT_EQ(world.window()->SetDisplayMode(0, 0, c.screenDepth), 0);
        CAnimo animation(world.window());
        ASSERT_EQ(load(animation, c.file), 0);
        EXPECT_EQ(animation.GetBpp(), c.depth);
        EXPECT_EQ(animation.GetFrame(0)->GetBpp(), c.depth);
        EXPECT_EQ(picture(animation.GetFrame(0)).first, c.words);
    }
}

TEST(AnnFile, LegacyChunksAreReadAndTheirTextsCut)
{
    CByteWriter chunks;
    chunks.bytes("EXT", 3).u32(0).u32(300).bytes(std::string(300, 'a').data(), 300).u32(2).bytes("d\0", 2);
    // A "SEQ" body of 4 bytes a position, of which the indices take the first half.
    chunks.bytes("SEQ", 3).u32(0x10002).u16(0).u16(0).u32(0xAAAAAAAA);
    chunks.bytes("POS", 3);
    for (int p = 0; p < 2; ++p)
        chunks.u32(static_cast<uint32_t>(p + 1)).u32(0x10005).u8(9).bytes(ann::zeros(24).data(), 24);
    CByteWriter image;
    image.u32(8).u32(0).u16(2).u16(0).u16(2).u16(0).u16(0).u16(4);
    CByteWriter header;
    header.bytes("PIK", 4).u16(1).u16(4).u32(0);
    CAnimo animation(nullptr);
    ASSERT_EQ(load(animation, bytesOf(header) + bytesOf(chunks) + bytesOf(image) + ann::picture(1)), 0);
    EXPECT_EQ(animation.Author(), CXString(std::string(255, 'a').c_str()));
    EXPECT_EQ(animation.Description(), "d");
    // The chunk's event gives way to the three standard ones.
    ASSERT_EQ(animation.GetNOE(), 3);
    EXPECT_EQ(animation.GetEventInfo(0)->frames, std::vector<uint16_t>({0}));
    EXPECT_EQ(picture(animation.GetFrame(0)).first, std::vector<uint16_t>({1, 2, 3, 4}));
}

TEST(AnnFile, AnotherSignatureIsTheOldestFormWithEmptyImages)
{
    const auto unknown = [](int images) {
        CByteWriter header;
        header.bytes("XYZ", 4).u16(images).u16(4).u32(0);
        return bytesOf(header);
    };
    CAnimo animation(nullptr);
    ASSERT_EQ(load(animation, unknown(2)), 0);
    EXPECT_EQ(animation.GetNOF(), 2);
    EXPECT_EQ(animation.GetFrame(1)->GetDataPtr(), nullptr);
    EXPECT_EQ(animation.GetNOE(), 3);
    // A few bytes make no more images than there are bytes.
    EXPECT_EQ(load(animation, unknown(32767)), CGraphicsObject::ERROR_FORMAT);
    EXPECT_TRUE(isEmpty(animation));
}

TEST(AnnFile, TruncatedFilesOfEveryGenerationLoadEmpty)
{
    CByteWriter pak;
    pak.bytes("PAK", 4).u16(1).bytes(ann::zeros(384).data(), 384).u16(16).u16(0).bytes(ann::zeros(13).data(), 13);
    CByteWriter pi3;
    const std::string packed = lzoBlockOf(ann::picture(3));
    pi3.bytes("PI3", 4).u16(1).u16(4).u32(0);
    pi3.u16(2).u16(0).u16(2).u16(0).u16(0).u16(4).u32(4).u32(static_cast<uint32_t>(packed.size())).u32(0).u32(0).u32(0);
    const std::string files[] = {
        oneImageFile(),
        oneImageFile("NV+", 32),
        bytesOf(pak) + ann::image(2, 2, 0, 0, 0, 8, {}, 32) + ann::picture(1),
        bytesOf(pi3) + packed,
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file.substr(0, 3));
        CAnimo whole(nullptr);
        ASSERT_EQ(load(whole, file), 0);
        for (size_t cut = 0; cut < file.size(); ++cut) {
            CAnimo animation(nullptr);
            fill(animation, 1, {eventOf("old", {0})});
            EXPECT_EQ(load(animation, file.substr(0, cut)), CGraphicsObject::ERROR_FORMAT) << cut;
            EXPECT_TRUE(isEmpty(animation)) << cut;
        }
    }
}

TEST(AnnFile, ARefusedFileLeavesANewAnimation)
{
    CByteWriter pak;
    pak.bytes("PAK", 4).u16(1).bytes(ann::fixed("auth", 128).data(), 128).bytes(ann::fixed("desc", 256).data(), 256);
    pak.u16(15).u16(0).bytes(ann::zeros(13).data(), 13);
    CByteWriter legacy;
    legacy.bytes("PIK", 4).u16(1).u16(4).u32(0);
    legacy.bytes("EXT", 3).u32(0).u32(5).bytes("auth\0", 5).u32(5).bytes("desc\0", 5);
    legacy.u32(8).u32(0).u16(2).u16(0).u16(2).u16(0).u16(0).u16(4);
    const std::string image = ann::image(2, 2, 0, 0, 0, 8, {}) + ann::picture(1);
    const std::string current = ann::header("NVP", 1, 15, 1, 30, 0x800005, 77, -3) + ann::text("auth")
                                + ann::text("desc") + ann::event({"show", {0}})
                                + ann::frame({"first", std::nullopt, 0, 0, "step.wav"}) + image;
    const std::string files[] = {current, bytesOf(pak) + ann::image(2, 2, 0, 0, 0, 8, {}, 32) + ann::picture(1),
                                 bytesOf(legacy) + ann::picture(1)};
    const std::string earlier = ann::header("NVP", 0, 16, 0, 12, 0x400000, 9, 4) + ann::text("earlier")
                                + ann::text("before");
    CAnimo fresh(nullptr);
    for (const std::string& file : files) {
        SCOPED_TRACE(file.substr(0, 3));
        for (size_t cut = 0; cut < file.size(); ++cut) {
            CAnimo animation(nullptr);
            ASSERT_EQ(load(animation, earlier), 0);
            EXPECT_EQ(load(animation, file.substr(0, cut)), CGraphicsObject::ERROR_FORMAT) << cut;
            EXPECT_EQ(contentOf(animation), contentOf(fresh)) << cut;
        }
    }
    // The image replaced by one whose planes do not unpack, after every text was read.
    const std::string badImage = ann::image(2, 2, 0, 0, 4, 3, {}) + "\x05\x01\x02";
    CAnimo animation(nullptr);
    EXPECT_EQ(load(animation, current.substr(0, current.size() - image.size()) + badImage),
              CGraphicsObject::ERROR_FORMAT);
    EXPECT_EQ(contentOf(animation), contentOf(fresh));

    // Nor does a file that does not open keep what the last one gave.
    AnimationWorld world;
    world.folder().write("earlier.ann", earlier);
    CAnimo byName(world.window(), world.path("earlier.ann"));
    EXPECT_EQ(byName.Load(world.path("missing.ann")), CGraphicsObject::ERROR_OPEN);
    EXPECT_EQ(contentOf(byName), contentOf(fresh));
}

TEST(AnnFile, ImagesKeepTheAnimationsDepthInMemoryAndInTheFilesItSaves)
{
    // Red, green, blue and white, whose channels keep their colour at 15 and 16 bits.
    const std::vector<uint16_t> words{0xF800, 0x07C0, 0x001F, 0xFFDF};
    const std::string runLength = "\x04" + asBytes(words);
    const std::string alphaRunLength = "\x04" + ann::kAlpha;
    const auto middle = [](const std::string& images) {
        CByteWriter out;
        out.bytes("PAK", 4).u16(2).bytes(ann::zeros(384).data(), 384).u16(16).u16(0).bytes(ann::zeros(13).data(), 13);
        return bytesOf(out) + images;
    };
    // Two images of the middle generation, their headers and then their planes packed with the code.
    const auto packedImages = [](int code, const std::string& colour, const std::string& alpha) {
        const std::string header = ann::image(2, 2, 0, 0, code, static_cast<uint32_t>(colour.size()),
                                              {0, 0, 0, static_cast<uint32_t>(alpha.size())}, 32);
        return header + header + colour + alpha + colour + alpha;
    };
    std::vector<int> colours;
    std::string bytes24;
    for (const uint16_t word : words) {
        colours.push_back(CColor(static_cast<short>(word), CM_16BIT).Convert(CM_24BIT));
        bytes24 += {static_cast<char>(colours.back() >> 24), static_cast<char>(colours.back() >> 16),
                    static_cast<char>(colours.back() >> 8)};
    }
    const auto current = [](int depth, const std::string& planes, uint32_t length) {
        return ann::header("NVP", 2, depth, 1, 10, 0, 255, 0) + ann::text("") + ann::text("")
               + ann::event({"show", {0, 1}}) + ann::frame({}) + ann::frame({}) + ann::image(2, 2, 0, 0, 0, length, {})
               + ann::image(2, 2, 0, 0, 0, length, {}) + planes + planes;
    };
    const struct {
        const char* title;
        std::string file;
        int screenDepth;
        // The first image is drawn, at the screen's depth, before saving.
        bool drawn;
    } cases[] = {
        {"run-length packed images", middle(packedImages(4, runLength, alphaRunLength)), 15, false},
        {"LZO over run-length", middle(packedImages(3, lzoBlockOf(runLength), lzoBlockOf(alphaRunLength))), 15, false},
        {"one packed image, one not",
         middle(ann::image(2, 2, 0, 0, 4, 9, {0, 0, 0, 5}, 32) + ann::image(2, 2, 0, 0, 0, 8, {}, 32) + runLength
                + alphaRunLength + asBytes(words)),
         15, false},
        {"16-bit images, one drawn on a 15-bit screen", current(16, asBytes(words), 8), 15, true},
        {"24-bit images, one drawn on a 16-bit screen", current(24, bytes24, 12), 16, true},
    };
    for (const auto& c : cases)
        for (const _compression code : {COMPRESSION_RLE, COMPRESSION_NONE}) {
            SCOPED_TRACE(std::string(c.title) + (code == COMPRESSION_RLE ? ", saved packed" : ", saved unpacked"));
            ScreenWorld world;
            ASSERT_EQ(world.window()->SetDisplayMode(0, 0, c.screenDepth), 0);
            CAnimo animation(world.window());
            ASSERT_EQ(load(animation, c.file), 0);
            ASSERT_EQ(animation.GetNOF(), 2);
            for (int i = 0; i < 2; ++i)
                EXPECT_EQ(animation.GetFrame(i)->GetBpp(), animation.GetBpp()) << i;
            if (c.drawn) {
                auto target = makeFilled(2, 2, c.screenDepth, 0);
                animation.SetFrame(0);
                animation.redraw(target.get());
                ASSERT_EQ(animation.GetFrame(0)->GetBpp(), c.screenDepth);
            }

            const CXString path = world.folder().file("saved.ann").c_str();
            ASSERT_EQ(animation.Save(path, code), 0);
            CAnimo reloaded(world.window(), path);
            ASSERT_EQ(reloaded.LastError(), 0);
            ASSERT_EQ(reloaded.GetNOF(), 2);
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(reloaded.GetFrame(i)->GetBpp(), reloaded.GetBpp()) << i;
                EXPECT_EQ(coloursOf(reloaded.GetFrame(i)), colours) << i;
            }
        }
}

TEST(AnnFile, ImagesThatShareNoDepthAreNotSaved)
{
    // 32-bit pixels do not become pixel words, nor pixel words 32-bit ones.
    AnimationWorld world;
    CAnimo mixed(world.window());
    mixed.AddFrame(countingImage(1).get());
    mixed.AddFrame(makeRaster(2, 2, 32, std::vector<uint16_t>(8, 1)).get());
    EXPECT_EQ(mixed.Save(world.path("mixed.ann"), COMPRESSION_NONE), CGraphicsObject::ERROR_FORMAT);
    EXPECT_FALSE(std::filesystem::exists(world.folder().path() / "mixed.ann"));
}

TEST(AnnFile, DamagedFieldsAreRefused)
{
    const std::string head = ann::header("NVP", 1, 16, 1, 10, 0, 255, 0) + ann::text("") + ann::text("");
    const std::string show = ann::event({"show", {0}});
    const std::string image = ann::image(2, 2, 0, 0, 0, 8, {}) + ann::picture(1);
    CByteWriter emptyString;
    emptyString.u32(1).u32(0).u32(0).u32(0).u32(0).u32(0).u16(0).u32(0).u32(0);
    const struct {
        const char* fault;
        std::string file;
    } cases[] = {
        {"a text of length 0", head + show + bytesOf(emptyString) + image},
        {"a depth no image has", ann::header("NVP", 1, 8, 1, 10, 0, 255, 0) + ann::text("") + ann::text("") + show
                                     + ann::frame({}) + image},
        {"more than 4 plane lengths", head + show + ann::frame({}) + ann::image(2, 2, 0, 0, 0, 8, {0, 0, 0, 0, 4})
                                          + ann::picture(1) + ann::kAlpha},
        {"unpacked planes of another size", head + show + ann::frame({}) + ann::image(2, 2, 0, 0, 0, 6, {})
                                                + ann::picture(1).substr(0, 6)},
        {"an alpha plane of another size", head + show + ann::frame({}) + ann::image(2, 2, 0, 0, 0, 8, {0, 0, 0, 3})
                                               + ann::picture(1) + "\1\2\3"},
        {"run-length planes that do not unpack", head + show + ann::frame({}) + ann::image(2, 2, 0, 0, 4, 3, {})
                                                     + "\x05\x01\x02"},
        {"a negative side", head + show + ann::frame({}) + ann::image(-2, 2, 0, 0, 0, 0, {})},
        {"65535 events promised", ann::header("NVP", 1, 16, 65535, 10, 0, 255, 0) + ann::text("") + ann::text("")
                                      + show + ann::frame({}) + image},
        {"65535 images promised", ann::header("NVP", 65535, 16, 0, 10, 0, 255, 0) + ann::text("") + ann::text("")
                                      + image},
        {"an author longer than the file",
         ann::header("NVP", 0, 16, 0, 10, 0, 255, 0) + std::string("\xFF\xFF\xFF\x7F", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CAnimo animation(nullptr);
        EXPECT_EQ(load(animation, c.file), CGraphicsObject::ERROR_FORMAT);
        EXPECT_TRUE(isEmpty(animation));
    }
}

TEST(AnnFile, FrameSoundsAreMadeAtLoadUnlessStreamedAndHaveNoCap)
{
    AnimationWorld world;
    CAnimo many(world.window());
    many.AddFrame(countingImage(1).get());
    _annEventInfo3 event = eventOf("loud", std::vector<uint16_t>(250, 0));
    many.AddEvent(&event);
    for (int p = 0; p < 250; ++p)
        many.GetFrameInfo(0, p)->sound = "s.wav";
    ASSERT_EQ(many.Save(world.path("many.ann"), COMPRESSION_NONE), 0);
    many.setAnimoFlags(CAnimo::ANIMO_STREAM_SOUNDS);
    ASSERT_EQ(many.Save(world.path("streamed.ann"), COMPRESSION_NONE), 0);

    const int before = world.soundCount();
    {
        CAnimo loaded(world.window(), world.path("many.ann"));
        EXPECT_EQ(world.soundCount() - before, 250);
    }
    EXPECT_EQ(world.soundCount(), before);
    CAnimo streamed(world.window(), world.path("streamed.ann"));
    EXPECT_EQ(world.soundCount(), before);
}

TEST(AnnFile, LoadingByNameReportsWhatWentWrong)
{
    AnimationWorld world;
    CAnimo animation(world.window());
    EXPECT_EQ(animation.Load(world.path("missing.ann")), CGraphicsObject::ERROR_OPEN);
    EXPECT_FALSE(animation.isLoaded());
    world.folder().write("damaged.ann", oneImageFile().substr(0, 60));
    EXPECT_EQ(animation.Load(world.path("damaged.ann")), CGraphicsObject::ERROR_FORMAT);
    EXPECT_TRUE(isEmpty(animation));
    EXPECT_FALSE(animation.isLoaded());
    world.folder().write("good.ann", oneImageFile());
    EXPECT_EQ(animation.Load(world.path("good.ann")), 0);
    EXPECT_EQ(animation.Current(), 0);
}

TEST(AnnFile, SavingReplacesTheFileWholeOrReportsFailure)
{
    AnimationWorld world;
    CAnimo animation(world.window());
    fill(animation, 2, {eventOf("a", {0, 1})});
    world.folder().write("old.ann", "old contents");
    ASSERT_EQ(animation.Save(world.path("old.ann"), COMPRESSION_RLE), 0);
    CAnimo reread(world.window(), world.path("old.ann"));
    EXPECT_EQ(reread.LastError(), 0);
    EXPECT_EQ(reread.GetNOF(), 2);

    EXPECT_EQ(animation.Save(world.path("no folder/x.ann"), COMPRESSION_NONE), CGraphicsObject::ERROR_OPEN);
    EXPECT_FALSE(std::filesystem::exists(world.folder().path() / "no folder"));
}

TEST(AnnFile, PicturesByExtensionLoadAndSaveAnimations)
{
    AnimationWorld world;
    world.folder().write("walk.ann", oneImageFile());
    CImageFile files(world.window());
    ASSERT_EQ(files.Load("WALK.ANN"), FILETYPE_ANN);
    std::unique_ptr<CGraphicsObject> loaded(files.getObject());
    auto* animation = dynamic_cast<CAnimo*>(loaded.get());
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->GetNOF(), 1);
    EXPECT_EQ(files.Save(animation, "copy.Ann", COMPRESSION_NONE), FILETYPE_ANN);
    EXPECT_EQ(CAnimo(world.window(), world.path("copy.ann")).GetNOF(), 1);

    auto raster = makeFilled(2, 2, 16, 1);
    EXPECT_EQ(files.Save(raster.get(), "raster.ann", COMPRESSION_NONE), FILETYPE_NONE);
    EXPECT_FALSE(std::filesystem::exists(world.folder().path() / "raster.ann"));
}
