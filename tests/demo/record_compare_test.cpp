// Frame records read back: what counts as one, and where two differ.
#include "demo/record_compare.h"

#include <gtest/gtest.h>

namespace zema {
namespace {

TEST(RecordCompare, SplitsTopLevelKeysKeepingValuesAsText) {
    std::vector<std::pair<std::string, std::string>> fields;
    ASSERT_TRUE(splitFrameRecord(
        "{\"frame\":12,\"enemies\":[[1,-2],[3,4]],\"taken\":\"01\",\"sounds\":[\"sndGet\"],"
        "\"nested\":{\"a\":[true,false,null]}, \"x\" : -1.5e3 }",
        fields));
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0], (std::pair<std::string, std::string>{"frame", "12"}));
    EXPECT_EQ(fields[1].second, "[[1,-2],[3,4]]");
    EXPECT_EQ(fields[2].second, "\"01\"");
    EXPECT_EQ(fields[3].second, "[\"sndGet\"]");
    EXPECT_EQ(fields[4].second, "{\"a\":[true,false,null]}");
    EXPECT_EQ(fields[5], (std::pair<std::string, std::string>{"x", "-1.5e3"}));
    EXPECT_TRUE(isFrameRecord("{}"));
}

TEST(RecordCompare, RefusesWhatIsNotOneObject) {
    const std::string deep = std::string(40, '[') + std::string(40, ']');
    for (const std::string& bad :
         {std::string(""), std::string("{"), std::string("{\"frame\":1"), std::string("[1]"),
          std::string("{\"frame\":1}x"), std::string("{\"frame\":1}{}"), std::string("{frame:1}"),
          std::string("{\"frame\":}"), std::string("{\"frame\":1,}"), std::string("{\"a\":\"b}"),
          std::string("{\"a\":-}"), std::string("{\"a\":tru}"), std::string("{\"a\":[1,2}"),
          std::string("{\"a\":1,\"b\":2,\"a\":1}"), "{\"a\":" + deep + "}"})
        EXPECT_FALSE(isFrameRecord(bad)) << bad;
}

TEST(RecordCompare, FirstDifferenceInTheExpectedOrder) {
    std::string difference;
    EXPECT_TRUE(sameFrameRecord("{\"a\":1,\"b\":[2]}", "{\"b\":[2],\"a\":1}", difference));
    EXPECT_FALSE(sameFrameRecord("{\"a\":1,\"b\":[2],\"c\":3}", "{\"a\":1,\"b\":[2, 0],\"c\":4}",
                                 difference));
    EXPECT_EQ(difference, "expect: \"b\" differs: the demo has [2], this run has [2, 0]");
    EXPECT_FALSE(sameFrameRecord("{\"a\":1}", "{\"a\":1,\"z\":\"x\"}", difference));
    EXPECT_EQ(difference, "expect: \"z\" differs: the demo has no such key, this run has \"x\"");
    EXPECT_FALSE(sameFrameRecord("{\"q\":1}", "{}", difference));
    EXPECT_EQ(difference, "expect: \"q\" differs: the demo has 1, this run has no such key");
    EXPECT_FALSE(sameFrameRecord("{", "{}", difference));
    EXPECT_EQ(difference.find('\n'), std::string::npos);
}

} // namespace
} // namespace zema
