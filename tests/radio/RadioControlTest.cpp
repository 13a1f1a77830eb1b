// CRadioControl against a recording OBRAEvaluate: the requests it sends, the
// bytes it writes back, and how it decodes what it reads.
#include <gtest/gtest.h>

#include "FakeObra.h"
#include "radio/RadioControl.h"

namespace {

// Accessors as a string "wlanEnabled btEnabled wlanPresent btPresent switch".
std::string Decoded(const CRadioControl& radio)
{
    return testing::PrintToString(std::vector<BOOL>{
        radio.IsWlanEnabled(), radio.IsBluetoothEnabled(), radio.IsWlanPresent(),
        radio.IsBluetoothPresent(), radio.IsRadioSwitchOn() });
}

}  // namespace

// A read the library leaves unanswered shows the 0x66 preset, even after an
// earlier read of the same object found another value.
TEST(RadioControl, UnansweredReadShowsThePreset)
{
    CRadioControl radio;
    FakeObra::Reset(0xFF);
    radio.Read();
    EXPECT_EQ("{ 1, 1, 1, 1, 1 }", Decoded(radio));  // exactly 1, not the mask

    FakeObra::Reset(0xFF, false);
    EXPECT_EQ(TRUE, radio.Read());
    EXPECT_EQ("{ 0, 1, 1, 0, 0 }", Decoded(radio));
    EXPECT_EQ(RADIO_STATUS_UNANSWERED, FakeObra::Calls().at(0).outputAtCall);
}

// A read is one request: function 0xB0, input {0xBB}, and the object's own
// status byte as the one-byte output.
TEST(RadioControl, ReadSendsOneRequestIntoTheStatusByte)
{
    CRadioControl radio;
    FakeObra::Reset(0x0D);
    EXPECT_EQ(TRUE, radio.Read());

    ASSERT_EQ(1u, FakeObra::Calls().size());
    const FakeObraCall& call = FakeObra::Calls()[0];
    EXPECT_EQ(EVAL_READ, call.function);
    EXPECT_EQ(std::vector<BYTE>{ RADIO_STATUS_REGISTER }, call.input);
    EXPECT_EQ(1u, call.inputLength);
    EXPECT_EQ(1u, call.outputLength);
    const BYTE* begin = reinterpret_cast<const BYTE*>(&radio);
    EXPECT_TRUE(call.output >= begin && call.output < begin + sizeof(radio));
    EXPECT_EQ("{ 1, 0, 1, 1, 0 }", Decoded(radio));
}

// Each set reads, then writes the whole byte with one bit changed, even when
// the bit already has the wanted value; any nonzero argument enables.
TEST(RadioControl, SetWritesTheByteReadWithOneBitChanged)
{
    const struct {
        BYTE before;
        BOOL (CRadioControl::*set)(BOOL);
        BOOL enable;
        BYTE written;
    } cases[] = {
        { 0x1D, &CRadioControl::SetBluetooth, TRUE, 0x1F },
        { 0x1F, &CRadioControl::SetWlan, FALSE, 0x1E },
        { 0xFC, &CRadioControl::SetWlan, TRUE, 0xFD },
        { 0x1F, &CRadioControl::SetBluetooth, TRUE, 0x1F },
        { 0x1D, &CRadioControl::SetBluetooth, 2, 0x1F },
        { 0x1C, &CRadioControl::SetWlan, -1, 0x1D },
        { 0xFF, &CRadioControl::SetBluetooth, FALSE, 0xFD },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "register " << int(c.before) << " enable " << c.enable);
        CRadioControl radio;
        FakeObra::Reset(c.before);
        EXPECT_EQ(TRUE, (radio.*c.set)(c.enable));
        const auto& calls = FakeObra::Calls();
        ASSERT_EQ(2u, calls.size());
        EXPECT_EQ(EVAL_READ, calls[0].function);
        EXPECT_EQ(EVAL_WRITE, calls[1].function);
        EXPECT_EQ((std::vector<BYTE>{ RADIO_STATUS_REGISTER, c.written }), calls[1].input);
        EXPECT_EQ(2u, calls[1].inputLength);
        EXPECT_EQ(nullptr, calls[1].output);
        EXPECT_EQ(0u, calls[1].outputLength);
    }
}

// The status byte keeps the value read before a write until the next Read,
// and another object sees the write only when it reads again.
TEST(RadioControl, StatusChangesOnlyOnRead)
{
    CRadioControl radio;
    CRadioControl other;
    FakeObra::Reset(0x1C);
    other.Read();
    radio.SetWlan(TRUE);
    EXPECT_EQ(0, radio.IsWlanEnabled());

    radio.Read();
    EXPECT_EQ(1, radio.IsWlanEnabled());
    EXPECT_EQ(0, other.IsWlanEnabled());
    other.Read();
    EXPECT_EQ(1, other.IsWlanEnabled());
}
