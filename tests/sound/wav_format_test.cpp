// Which sample formats are played and which refused.
#include <gtest/gtest.h>

#include <cstdint>

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
    for (uint32_t rate : {100u, 200000u})
        EXPECT_EQ(resultOf(pcmFormat(1, rate, 16)), waveOk) << rate;
    for (uint32_t rate : {0u, 99u, 200001u})
        EXPECT_EQ(resultOf(pcmFormat(1, rate, 16)), waveUnsupported) << rate;
}

TEST(WavRefusedFormats, OtherDepthsChannelsAndEncodings) {
    for (int bits : {4, 24, 32})
        EXPECT_EQ(resultOf(pcmFormat(1, 44100, bits)), waveUnsupported) << bits;
    for (int channels : {0, 3})
        EXPECT_EQ(resultOf(pcmFormat(channels, 44100, 16)), waveUnsupported) << channels;
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
