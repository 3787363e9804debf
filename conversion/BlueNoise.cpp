#include "conversion/BlueNoise.h"

#include <cmath>
#include <vector>

namespace plovan {
namespace {

constexpr int kSide = kBlueNoiseSide;
constexpr int kPlaces = kBlueNoisePlaces;

struct Weight {
    int dx, dy, weight;
};

// The Gaussian's weights, sigma 1.5, by offset within the torus; those that round to 0
// left out.
std::vector<Weight> filterWeights()
{
    constexpr double kStep = 0.80073740291680804; // exp(-1 / 4.5) = exp(-1 / (2 x 1.5^2))
    std::vector<double> power(2 * (kSide / 2) * (kSide / 2) + 1);
    power[0] = 1;
    for (size_t k = 1; k < power.size(); ++k)
        power[k] = power[k - 1] * kStep;
    std::vector<Weight> weights;
    for (int dy = -kSide / 2; dy < kSide / 2; ++dy) {
        for (int dx = -kSide / 2; dx < kSide / 2; ++dx) {
            const int weight = int(std::lround(double(1 << 20) * power[size_t(dx * dx + dy * dy)]));
            if (weight != 0)
                weights.push_back({dx, dy, weight});
        }
    }
    return weights;
}

// The black places and every place's energy from them.
class Pattern {
public:
    explicit Pattern(const std::vector<Weight> &weights) : weights_(weights), black_(kPlaces, false), energy_(kPlaces, 0)
    {
    }

    bool isBlack(int place) const { return black_[size_t(place)]; }

    void set(int place, bool black)
    {
        black_[size_t(place)] = black;
        const int x = place % kSide, y = place / kSide;
        for (const Weight &w : weights_) {
            const int at = ((y + w.dy + kSide) % kSide) * kSide + (x + w.dx + kSide) % kSide;
            energy_[size_t(at)] += black ? w.weight : -w.weight;
        }
    }

    // The black place of most energy.
    int tightestCluster() const
    {
        int best = -1;
        for (int place = 0; place < kPlaces; ++place)
            if (black_[size_t(place)] && (best < 0 || energy_[size_t(place)] > energy_[size_t(best)]))
                best = place;
        return best;
    }

    // The white place of least energy.
    int largestVoid() const
    {
        int best = -1;
        for (int place = 0; place < kPlaces; ++place)
            if (!black_[size_t(place)] && (best < 0 || energy_[size_t(place)] < energy_[size_t(best)]))
                best = place;
        return best;
    }

private:
    const std::vector<Weight> &weights_;
    std::vector<bool> black_;
    std::vector<std::int64_t> energy_;
};

// The first pattern, settled.
Pattern firstPattern(const std::vector<Weight> &weights, int blackPlaces)
{
    Pattern pattern(weights);
    std::uint32_t state = 0x2545F491u;
    for (int placed = 0; placed < blackPlaces;) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const int place = int(state % kPlaces);
        if (!pattern.isBlack(place)) {
            pattern.set(place, true);
            ++placed;
        }
    }
    // It settles after 156 moves; the bound only guards against a pattern that
    // would swap two places for ever.
    for (int moves = 0; moves < 10 * kPlaces; ++moves) {
        const int cluster = pattern.tightestCluster();
        pattern.set(cluster, false);
        const int voidPlace = pattern.largestVoid();
        pattern.set(voidPlace, true);
        if (voidPlace == cluster)
            break;
    }
    return pattern;
}

} // namespace

BlueNoiseRanks makeBlueNoiseRanks()
{
    const std::vector<Weight> weights = filterWeights();
    constexpr int kFirst = kPlaces / 10;
    const Pattern settled = firstPattern(weights, kFirst);
    BlueNoiseRanks ranks{};
    Pattern shrinking = settled; // phase 1
    for (int rank = kFirst - 1; rank >= 0; --rank) {
        const int cluster = shrinking.tightestCluster();
        shrinking.set(cluster, false);
        ranks[size_t(cluster)] = std::uint16_t(rank);
    }
    Pattern growing = settled; // phases 2 and 3
    for (int rank = kFirst; rank < kPlaces; ++rank) {
        const int voidPlace = growing.largestVoid();
        growing.set(voidPlace, true);
        ranks[size_t(voidPlace)] = std::uint16_t(rank);
    }
    return ranks;
}

const BlueNoiseRanks &blueNoiseRanks()
{
    static const BlueNoiseRanks ranks = makeBlueNoiseRanks();
    return ranks;
}

const ScreenTile<kBlueNoiseSide> &blueNoiseTile()
{
    static const ScreenTile<kBlueNoiseSide> tile = [] {
        const BlueNoiseRanks &ranks = blueNoiseRanks();
        ScreenTile<kBlueNoiseSide> made{};
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                made.blackBelow[y][x] = screenBlackBelow(ranks[size_t(y * kSide + x)], kPlaces);
        return made;
    }();
    return tile;
}

} // namespace plovan
