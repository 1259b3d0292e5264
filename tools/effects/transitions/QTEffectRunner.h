#pragma once
// Runs one transition step by step between two pictures: the page-erase effects (the page to
// white), the preview of the slide-transition dialog and the slide show between two slides.
// It keeps its own copies of both pictures, so the picture it draws into may be one of them.
// Empty at construction (no pictures held, not running, 30 steps); Dispose frees both copies.
#include <vector>

#include "tools/effects/transitions/TransitionKernels.h"

constexpr u16 kEffectRunnerSteps = 30;

class QTEffectRunner {
public:
    QTEffectRunner() = default;
    QTEffectRunner(const QTEffectRunner&) = delete;
    QTEffectRunner& operator=(const QTEffectRunner&) = delete;
    ~QTEffectRunner() { Dispose(); }

    // Copies `from` and `to` and draws the steps into `out`; the three of one size. False,
    // holding nothing, when they differ in size or one is empty.
    bool Start(TransitionKind kind, const PixelView& from, const PixelView& to, const PixelView& out, Point16 centre);
    // Draws the next step; the last draws the target and ends the run. False when not running.
    bool Step();
    // Draws the step due once `elapsed` ms of a run lasting `duration` ms have passed (the
    // first at once, the last at the end), skipping those whose time went by unseen: however
    // often it is called, the run takes its duration. False when no step was due.
    bool StepFor(u32 elapsed, u32 duration);
    bool IsRunning() const { return running_; }
    u16 StepsDone() const { return done_; }
    u16 StepCount() const { return steps_; }
    // At least one step; a running effect keeps its count.
    void SetStepCount(u16 steps);
    bool HoldsPictures() const { return !from_.empty() || !to_.empty(); }
    // Stops the run and frees both copies.
    void Dispose();

private:
    TransitionKind kind_ = TransitionKind::None;
    std::vector<u16> from_;
    std::vector<u16> to_;
    PixelView fromView_;
    PixelView toView_;
    PixelView out_;
    Point16 centre_{0, 0};
    u16 steps_ = kEffectRunnerSteps;
    u16 done_ = 0;
    bool running_ = false;
};
