#include <gtest/gtest.h>

#include <vector>

#include "platform/hid/ReportDescriptor.h"
#include "platform/hid/VirtualMouse.h"

namespace pelmar {
namespace {

struct Expected {
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint16_t input;
    std::uint16_t output;
    std::uint16_t feature;
    std::vector<std::uint8_t> inputIds;
};

void ExpectCollections(const ReportDescriptor& descriptor, const std::vector<Expected>& expected) {
    ASSERT_EQ(descriptor.collections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "collection " << i);
        const HidCollection& got = descriptor.collections[i];
        EXPECT_EQ(got.caps.usagePage, expected[i].usagePage);
        EXPECT_EQ(got.caps.usage, expected[i].usage);
        EXPECT_EQ(got.caps.inputReportByteLength, expected[i].input);
        EXPECT_EQ(got.caps.outputReportByteLength, expected[i].output);
        EXPECT_EQ(got.caps.featureReportByteLength, expected[i].feature);
        EXPECT_EQ(got.inputReportIds, expected[i].inputIds);
    }
}

TEST(ReportDescriptorTest, VirtualMouse) {
    const ReportDescriptor descriptor = ParseReportDescriptor(VirtualMouse::ReportDescriptor());
    EXPECT_TRUE(descriptor.numberedReports);
    ExpectCollections(descriptor, {
                                      {0x0001, 0x02, 5, 0, 0, {1}},
                                      {0x0001, 0x06, 9, 2, 0, {2}},
                                      {0x000C, 0x01, 3, 0, 0, {3}},
                                      {0xFF00, 0x01, 8, 0, 0, {6}},
                                      {0xFF01, 0x01, 0, 0, 8, {}},
                                  });
}

// A keyboard whose first collection has two input reports of different
// lengths (boot keys and a key bitmap), with consumer, system and vendor
// collections under further identifiers.
TEST(ReportDescriptorTest, KeyboardWithSeveralReportIdentifiers) {
    const std::vector<std::uint8_t> bytes{
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01,  // keyboard, report 1
        0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81,
        0x02,                                // 8 modifier bits
        0x75, 0x08, 0x95, 0x01, 0x81, 0x01,  // reserved byte
        0x19, 0x00, 0x29, 0x65, 0x15, 0x00, 0x25, 0x65, 0x75, 0x08, 0x95, 0x06, 0x81, 0x00, 0x05,
        0x08, 0x19, 0x01, 0x29, 0x05, 0x75, 0x01, 0x95, 0x05, 0x91, 0x02,  // 5 LEDs
        0x75, 0x03, 0x95, 0x01, 0x91, 0x01,                                // LED padding
        0x85, 0x04, 0x05, 0x07, 0x19, 0x00, 0x29, 0x77, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
        0x78, 0x81, 0x02,                                      // report 4: 120 bits
        0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02,  // consumer, report 2
        0x15, 0x00, 0x26, 0x3C, 0x02, 0x19, 0x00, 0x2A, 0x3C, 0x02, 0x75, 0x10, 0x95, 0x02, 0x81,
        0x00, 0xC0, 0x05, 0x01, 0x09, 0x80, 0xA1, 0x01, 0x85, 0x03,  // system, report 3
        0x19, 0x81, 0x29, 0x83, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0x95,
        0x05, 0x81, 0x01, 0xC0, 0x06, 0xBC, 0xFF, 0x09, 0x88, 0xA1, 0x01, 0x85, 0x05,  // vendor,
                                                                                       // report 5
        0x75, 0x08, 0x95, 0x3F, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x09, 0x01, 0xB1, 0x02, 0xC0,
    };
    const ReportDescriptor descriptor = ParseReportDescriptor(bytes);
    EXPECT_TRUE(descriptor.numberedReports);
    ExpectCollections(descriptor, {
                                      {0x0001, 0x06, 16, 2, 0, {1, 4}},
                                      {0x000C, 0x01, 5, 0, 0, {2}},
                                      {0x0001, 0x80, 2, 0, 0, {3}},
                                      {0xFFBC, 0x88, 0, 0, 64, {}},
                                  });
}

// Nested collections belong to their top-level collection; Pop restores the
// report size and count that Push saved; global items carry into the next
// top-level collection; without report identifiers the lengths still count
// one byte for the (zero) identifier.
TEST(ReportDescriptorTest, NestedCollectionsPushPopAndCarriedGlobals) {
    const std::vector<std::uint8_t> bytes{
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // mouse
        0x09, 0x01, 0xA1, 0x00,              // pointer, nested
        0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95,
        0x03, 0x75, 0x01, 0x81, 0x02,        // 3 button bits
        0x95, 0x01, 0x75, 0x05, 0x81, 0x03,  // 5 padding bits
        0xA4,                                // push
        0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x75,
        0x08, 0x95, 0x02, 0x81, 0x06,                                      // X, Y: 16 bits
        0xB4,                                                              // pop: 5 bits x 1
        0x81, 0x03,                                                        // 5 more bits
        0xA1, 0x02,                                                        // logical, nested
        0x06, 0x00, 0xFF, 0x09, 0x20, 0x75, 0x08, 0x95, 0x04, 0xB1, 0x02,  // 32 feature bits
        0xC0, 0xC0, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,              // consumer
        0x09, 0xE9, 0x09, 0xEA, 0x15, 0x00, 0x25, 0x01, 0x81, 0x02,        // 8 bits x 4 carried
        0xC0,
    };
    const ReportDescriptor descriptor = ParseReportDescriptor(bytes);
    EXPECT_FALSE(descriptor.numberedReports);
    ExpectCollections(descriptor, {
                                      {0x0001, 0x02, 5, 0, 5, {}},
                                      {0x000C, 0x01, 5, 0, 0, {}},
                                  });
}

TEST(ReportDescriptorTest, OddItemsAreSkipped) {
    const std::vector<std::uint8_t> bytes{
        0xFE, 0x02, 0x10, 0xAA, 0xBB,        // long item
        0x75, 0x08, 0x95, 0x02, 0x81, 0x02,  // input outside every collection
        0xC0,                                // end without a collection
        0x0B, 0x01, 0x00, 0x00, 0xFF,        // four-byte usage: page 0xFF00, usage 1
        0xA1, 0x01, 0x85, 0x09, 0xB1, 0x02, 0xC0, 0xA1, 0x01, 0x81,  // an item cut off by the end
    };
    const ReportDescriptor descriptor = ParseReportDescriptor(bytes);
    EXPECT_TRUE(descriptor.numberedReports);
    ExpectCollections(descriptor, {
                                      {0xFF00, 0x01, 0, 0, 3, {}},
                                      {0x0000, 0x00, 0, 0, 0, {}},
                                  });
}

TEST(ReportDescriptorTest, HugeReportsSaturate) {
    const std::vector<std::uint8_t> bytes{
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF,
        0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02, 0xC0,
    };
    const ReportDescriptor descriptor = ParseReportDescriptor(bytes);
    ASSERT_EQ(descriptor.collections.size(), 1u);
    EXPECT_EQ(descriptor.collections[0].caps.inputReportByteLength, 0xFFFF);
}

}  // namespace
}  // namespace pelmar
