#include "sim/fault_plan.h"
#include "sim/reply_delivery.h"

#include <gtest/gtest.h>

namespace skarnel::sim {
namespace {

constexpr int64_t kMs = 1'000'000;

struct Piece {
    size_t size;
    int64_t dueNs;
    bool operator==(const Piece&) const = default;
};

std::vector<Piece> Pieces(const Delivery& delivery, size_t size, bool wireSpeed)
{
    std::vector<Piece> pieces;
    for (const ReplyPiece& piece : CutReply(std::vector<uint8_t>(size, 0), 100, delivery, wireSpeed))
        pieces.push_back({piece.bytes.size(), piece.dueNs});
    return pieces;
}

struct CutCase {
    const char* name;
    Delivery delivery;
    size_t size;
    bool wireSpeed;
    std::vector<Piece> expected;
};

TEST(CutReply, CutsAsTheCableHandsBytesOver)
{
    const CutCase cases[] = {
        {"whole", {}, 9, false, {{9, 100}}},
        {"whole at wire speed", {}, 100, true, {{64, 100 + 64 * kWireByteNs}, {36, 100 + 100 * kWireByteNs}}},
        {"split", {DeliveryKind::Split, 4, 2 * kMs}, 9, false, {{4, 100}, {5, 100 + 2 * kMs}}},
        {"split at wire speed",
         {DeliveryKind::Split, 4, kMs},
         9,
         true,
         {{4, 100 + 4 * kWireByteNs}, {5, 100 + 9 * kWireByteNs + kMs}}},
        {"packets", {DeliveryKind::Packets, 4, 0}, 9, false, {{4, 100}, {4, 100 + kMs}, {1, 100 + 2 * kMs}}},
        {"trickle",
         {DeliveryKind::Trickle, 0, 0},
         3,
         false,
         {{1, 100 + kWireByteNs}, {1, 100 + 2 * kWireByteNs}, {1, 100 + 3 * kWireByteNs}}},
    };
    for (const CutCase& c : cases)
        EXPECT_EQ(Pieces(c.delivery, c.size, c.wireSpeed), c.expected) << c.name;
}

TEST(FaultPlan, DeliveryKindsStrikeEveryReplyAndCombineWithAFault)
{
    std::string error;
    FaultPlan plan;
    plan.Add(*ParseFaultRule("packets=16", error));
    plan.Add(*ParseFaultRule("nak", error));
    EXPECT_EQ(plan.Next(0, 0x11)->kind, FaultKind::Nak);
    for (int i = 0; i < 3; ++i) {
        const Delivery delivery = plan.NextDelivery(0, 0x11, 40);
        EXPECT_EQ(delivery.kind, DeliveryKind::Packets);
        EXPECT_EQ(delivery.pieceSize, 16u);
    }
    EXPECT_EQ(ParseFaultRule("split", error)->amount, 1000);
    EXPECT_EQ(ParseFaultRule("trickle,count=2", error)->count, 2);
}

TEST(FaultPlan, RandomSplitCutsEveryReplyInsideItReproducibly)
{
    auto run = [](const std::string& mode) {
        FaultPlan plan;
        std::string error;
        EXPECT_TRUE(ParseRandomFaults(mode, plan, error)) << error;
        std::vector<std::pair<size_t, int64_t>> cuts;
        for (int i = 0; i < 100; ++i) {
            const Delivery delivery = plan.NextDelivery(0, 0x11, 9);
            EXPECT_EQ(delivery.kind, DeliveryKind::Split);
            EXPECT_GE(delivery.pieceSize, 1u);
            EXPECT_LE(delivery.pieceSize, 8u);
            EXPECT_GE(delivery.gapNs, kMs / 2);
            EXPECT_LE(delivery.gapNs, 4 * kMs);
            cuts.emplace_back(delivery.pieceSize, delivery.gapNs);
        }
        return cuts;
    };
    EXPECT_EQ(run("7:split"), run("7:split"));
    EXPECT_NE(run("7:split"), run("8:split"));
    FaultPlan plan;
    std::string error;
    EXPECT_FALSE(ParseRandomFaults("seven:split", plan, error));
}

}  // namespace
}  // namespace skarnel::sim
