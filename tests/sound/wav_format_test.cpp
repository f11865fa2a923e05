// Which sample formats are played and which refused.
#include <gtest/gtest.h>

#include "wav_builder.h"

namespace zema {

namespace {

WaveResult resultOf(const Bytes& format) {
    WaveClip clip;
    return readBytes(riffForm("WAVE", join({chunk("fmt ", format), chunk("data", Bytes(64, 1))})),
                     clip);
}

TEST(WavPlayableFormats, PcmEightOrSixteenBitsOneOrTwoChannels) {
    for (uint16_t channels : {1, 2})
        for (uint16_t bits : {8, 16}) {
            EXPECT_EQ(resultOf(pcmFormat(channels, 22050, bits)), waveOk) << channels << bits;
            EXPECT_EQ(resultOf(extensibleFormat(channels, 48000, bits)), waveOk)
                << channels << bits;
        }
}

TEST(WavPlayableFormats, RatesFromOneHundredToTwoHundredThousand) {
    EXPECT_EQ(resultOf(pcmFormat(1, 100, 16)), waveOk);
    EXPECT_EQ(resultOf(pcmFormat(1, 200000, 16)), waveOk);
    EXPECT_EQ(resultOf(pcmFormat(1, 99, 16)), waveUnsupported);
    EXPECT_EQ(resultOf(pcmFormat(1, 200001, 16)), waveUnsupported);
    EXPECT_EQ(resultOf(pcmFormat(1, 0, 16)), waveUnsupported);
}

TEST(WavRefusedFormats, OtherDepthsChannelsAndEncodings) {
    EXPECT_EQ(resultOf(pcmFormat(1, 44100, 24)), waveUnsupported);
    EXPECT_EQ(resultOf(pcmFormat(1, 44100, 32)), waveUnsupported);
    EXPECT_EQ(resultOf(pcmFormat(1, 44100, 4)), waveUnsupported);
    EXPECT_EQ(resultOf(pcmFormat(0, 44100, 16)), waveUnsupported);
    EXPECT_EQ(resultOf(pcmFormat(3, 44100, 16)), waveUnsupported);
    Bytes floatFormat = pcmFormat(2, 44100, 16);
    floatFormat[0] = 3; // IEEE float
    EXPECT_EQ(resultOf(floatFormat), waveUnsupported);
    Bytes adpcm = pcmFormat(1, 22050, 16);
    adpcm[0] = 2;
    EXPECT_EQ(resultOf(adpcm), waveUnsupported);
    EXPECT_EQ(resultOf(extensibleFormat(2, 44100, 16, 3)), waveUnsupported);
}

TEST(WavRefusedFormats, InconsistentFrameSizeOrTruncatedExtension) {
    Bytes format = pcmFormat(2, 44100, 16);
    format[12] = 2; // block align of a mono frame
    EXPECT_EQ(resultOf(format), waveUnsupported);
    Bytes extensible = extensibleFormat(2, 44100, 16);
    extensible.resize(30);
    EXPECT_EQ(resultOf(extensible), waveUnsupported);
    Bytes fewValidBits = extensibleFormat(2, 44100, 16);
    fewValidBits[18] = 12;
    EXPECT_EQ(resultOf(fewValidBits), waveUnsupported);
}

} // namespace

} // namespace zema
