// Which WAV files the reader accepts and refuses, and what it makes of the accepted ones.
#include <gtest/gtest.h>

#include "wav_builder.h"

namespace zema {

namespace {

const Bytes someSamples = samples16({100, -100, 200, -200, 300, -300});

Bytes waveWith(const Bytes& chunks) {
    return riffForm("WAVE", chunks);
}

WaveResult resultOf(const Bytes& bytes) {
    WaveClip clip;
    return readBytes(bytes, clip);
}

TEST(WavFormatBlock, SixteenByteChunkGivesEighteenZeroFilledBytes) {
    Bytes format = pcmFormat(2, 44100, 16);
    WaveClip clip;
    ASSERT_EQ(readBytes(pcmWave(2, 44100, 16, someSamples), clip), waveOk);
    EXPECT_EQ(clip.formatChunkSize, 16u);
    EXPECT_EQ(clip.formatBlockSize, 18u);
    ASSERT_EQ(clip.formatBlock.size(), 18u);
    EXPECT_TRUE(std::equal(format.begin(), format.end(), clip.formatBlock.begin()));
    EXPECT_EQ(clip.formatBlock[16], 0);
    EXPECT_EQ(clip.formatBlock[17], 0);
    EXPECT_EQ(clip.format.extraSize, 0);
    EXPECT_EQ(clip.samples, someSamples);
    EXPECT_EQ(clip.dataSize, someSamples.size());
}

TEST(WavFormatBlock, FortyByteChunkGivesFortyBytes) {
    Bytes format = extensibleFormat(2, 44100, 16);
    WaveClip clip;
    ASSERT_EQ(readBytes(waveWith(join({chunk("fmt ", format), chunk("data", someSamples)})), clip),
              waveOk);
    EXPECT_EQ(clip.formatBlockSize, 40u);
    EXPECT_EQ(clip.formatBlock, format);
    EXPECT_EQ(clip.format.formatTag, waveExtensibleTag);
    EXPECT_EQ(clip.format.extraSize, 22);
}

TEST(WavFormatBlock, ShortChunkIsZeroFilledAndThenRefused) {
    // A 14-byte WAVEFORMAT has no bits-per-sample field: it reads as zero bits.
    Bytes format = pcmFormat(1, 22050, 8);
    format.resize(14);
    WaveClip clip;
    EXPECT_EQ(readBytes(waveWith(join({chunk("fmt ", format), chunk("data", someSamples)})), clip),
              waveUnsupported);
    EXPECT_EQ(clip.formatBlockSize, 18u);
    EXPECT_EQ(clip.format.bitsPerSample, 0);
}

TEST(WavChunks, FormatMustBeTheFirstChunkOfTheForm) {
    Bytes tail = join({chunk("fmt ", pcmFormat(1, 22050, 16)), chunk("data", someSamples)});
    EXPECT_EQ(resultOf(waveWith(join({chunk("LIST", Bytes(10, 'x')), tail}))), waveNoFormat);
    EXPECT_EQ(resultOf(waveWith(join({chunk("fact", Bytes(4, 0)), tail}))), waveNoFormat);
    EXPECT_EQ(resultOf(waveWith(tail)), waveOk);
}

TEST(WavChunks, ChunksBetweenFormatAndDataAreSkippedWithTheirPad) {
    Bytes bytes = waveWith(join({chunk("fmt ", pcmFormat(1, 22050, 16)), chunk("fact", Bytes(4, 7)),
                                 chunk("LIST", Bytes(5, 'a')), chunk("junk", Bytes(1, 'b')),
                                 chunk("data", someSamples)}));
    WaveClip clip;
    ASSERT_EQ(readBytes(bytes, clip), waveOk);
    EXPECT_EQ(clip.samples, someSamples);

    // Without the pad byte after an odd chunk the "data" header is out of step and not found.
    Bytes unpadded = chunkClaiming("LIST", 5, Bytes(5, 'a'));
    EXPECT_EQ(resultOf(waveWith(join(
                  {chunk("fmt ", pcmFormat(1, 22050, 16)), unpadded, chunk("data", someSamples)}))),
              waveNoData);
}

TEST(WavChunks, DataIdentifierIsMatchedExactly) {
    Bytes format = chunk("fmt ", pcmFormat(1, 22050, 16));
    EXPECT_EQ(resultOf(waveWith(join({format, chunk("DATA", someSamples)}))), waveNoData);
    EXPECT_EQ(resultOf(waveWith(join({format, chunk("dat ", someSamples)}))), waveNoData);
}

TEST(WavChunks, OnlyTheFirstRiffChunkCountsAndMustBeWave) {
    Bytes wave = pcmWave(1, 22050, 16, someSamples);
    EXPECT_EQ(resultOf(riffForm("AVI ", join({chunk("fmt ", pcmFormat(1, 22050, 16)),
                                              chunk("data", someSamples)}))),
              waveNotWave);
    EXPECT_EQ(resultOf(join({riffForm("AVI ", Bytes(8, 0)), wave})), waveNotWave);
    // Chunks of other kinds before the first RIFF are passed over.
    EXPECT_EQ(resultOf(join({chunk("JUNK", Bytes(3, 0)), wave})), waveOk);
    EXPECT_EQ(resultOf(chunk("RIFX", Bytes(8, 0))), waveNotWave);
    EXPECT_EQ(resultOf(Bytes{}), waveNotWave);
}

TEST(WavChunks, MissingDataIsRefused) {
    Bytes format = chunk("fmt ", pcmFormat(1, 22050, 16));
    EXPECT_EQ(resultOf(waveWith(format)), waveNoData);
    EXPECT_EQ(resultOf(waveWith(join({format, chunk("LIST", Bytes(6, 0))}))), waveNoData);
    // A "data" chunk after the end of the form is not inside it.
    EXPECT_EQ(resultOf(join({waveWith(format), chunk("data", someSamples)})), waveNoData);
}

TEST(WavChunks, EmptyOrTooSmallDataIsRefused) {
    EXPECT_EQ(resultOf(pcmWave(1, 22050, 16, {})), waveEmptyData);
    EXPECT_EQ(resultOf(pcmWave(1, 22050, 8, {1, 2, 3})), waveEmptyData);
    EXPECT_EQ(resultOf(pcmWave(1, 22050, 8, {1, 2, 3, 4})), waveOk);
}

TEST(WavTruncated, MissingSamplesAreNotHeldButStillPromised) {
    Bytes bytes = pcmWave(2, 44100, 16, Bytes(1000, 9));
    bytes.resize(bytes.size() - 900);
    WaveClip clip;
    ASSERT_EQ(readBytes(bytes, clip), waveOk);
    EXPECT_EQ(clip.dataSize, 1000u);
    EXPECT_EQ(clip.samples, Bytes(100, 9));
}

TEST(WavTruncated, FileCutInsideTheHeadersIsRefused) {
    Bytes bytes = pcmWave(2, 44100, 16, someSamples);
    EXPECT_EQ(resultOf(Bytes(bytes.begin(), bytes.begin() + 10)), waveNotWave);
    EXPECT_EQ(resultOf(Bytes(bytes.begin(), bytes.begin() + 18)), waveNoFormat);
    EXPECT_EQ(resultOf(Bytes(bytes.begin(), bytes.begin() + 30)), waveNoData);
    EXPECT_EQ(resultOf(Bytes(bytes.begin(), bytes.begin() + 43)), waveNoData);
    // With the header complete but no sample in the file, the clip is all silence.
    WaveClip clip;
    EXPECT_EQ(readBytes(Bytes(bytes.begin(), bytes.begin() + 44), clip), waveOk);
    EXPECT_TRUE(clip.samples.empty());
}

TEST(WavAbsurdSizes, DataLimitIsChecked) {
    Bytes format = chunk("fmt ", pcmFormat(1, 22050, 16));
    EXPECT_EQ(resultOf(waveWith(join({format, chunkClaiming("data", 0xFFFFFFFF, someSamples)}))),
              waveDataTooLarge);
    EXPECT_EQ(resultOf(waveWith(join({format, chunkClaiming("data", 0x10000000, someSamples)}))),
              waveDataTooLarge);
    // At the limit it is accepted, holding only what the file has.
    WaveClip clip;
    ASSERT_EQ(
        readBytes(waveWith(join({format, chunkClaiming("data", 0x0FFFFFFF, someSamples)})), clip),
        waveOk);
    EXPECT_EQ(clip.dataSize, 0x0FFFFFFFu);
    EXPECT_EQ(clip.samples, someSamples);
}

TEST(WavAbsurdSizes, HugeChunksNeitherAllocateNorLoop) {
    // A format chunk claiming 4 GB holds only what the file has; nothing follows it.
    WaveClip clip;
    Bytes format = pcmFormat(1, 22050, 16);
    EXPECT_EQ(readBytes(waveWith(chunkClaiming("fmt ", 0xFFFFFFF0, format)), clip), waveNoData);
    EXPECT_EQ(clip.formatBlockSize, 0xFFFFFFF0u);
    EXPECT_EQ(clip.formatBlock.size(), 18u);
    EXPECT_EQ(clip.format.channels, 1);
    // A skipped chunk that runs past the end ends the search.
    EXPECT_EQ(resultOf(waveWith(
                  join({chunk("fmt ", format), chunkClaiming("LIST", 0xFFFFFFFF, Bytes(4, 0)),
                        chunk("data", someSamples)}))),
              waveNoData);
    // A form claiming more than the file is read up to the file's end.
    Bytes wave = pcmWave(1, 22050, 16, someSamples);
    wave[4] = wave[5] = wave[6] = wave[7] = 0xFF;
    EXPECT_EQ(readBytes(wave, clip), waveOk);
    EXPECT_EQ(clip.samples, someSamples);
    // A form claiming less than it holds ends early.
    Bytes shortForm = pcmWave(1, 22050, 16, someSamples);
    shortForm[4] = 4 + 24;
    shortForm[5] = shortForm[6] = shortForm[7] = 0;
    EXPECT_EQ(resultOf(shortForm), waveNoData);
}

TEST(WavFile, MissingFileCannotBeOpened) {
    WaveClip clip;
    EXPECT_EQ(readWaveFile("/nonexistent/zema/none.wav", clip), waveCannotOpen);
}

} // namespace

} // namespace zema
