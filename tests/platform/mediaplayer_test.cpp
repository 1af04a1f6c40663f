// The process-wide player: which clip goes where, what each answer is, and
// that one clip at a time plays.
#include <gtest/gtest.h>

#include "FakeMediaPlayer.h"

namespace {

using Calls = std::vector<std::string>;

class MediaPlayerTest : public ::testing::Test {
 protected:
  plat::FakeMediaPlayer fake;
  plat::ScopedMediaPlayer scope{&fake};
};

TEST(MediaKind, ByExtensionIgnoringCase) {
  struct Case {
    const char* path;
    plat::MediaKind kind;
  };
  const Case cases[] = {
      {"/m/a.wav", plat::kMediaWave},        {"/m/A.WAV", plat::kMediaWave},
      {"x.Mid", plat::kMediaMidi},           {"x.rmi", plat::kMediaMidi},
      {"clip.avi", plat::kMediaVideo},       {"m.MPG", plat::kMediaMpeg},
      {"m.mov", plat::kMediaMovie},          {"/m/noext", plat::kMediaNone},
      {"/m/dir.wav/clip", plat::kMediaNone}, {"C:\\dir.avi\\clip", plat::kMediaNone},
      {"a.wave", plat::kMediaNone},          {"a.mp3", plat::kMediaNone},
      {"a.wav.txt", plat::kMediaNone},       {"", plat::kMediaNone},
  };
  for (const auto& c : cases) EXPECT_EQ(plat::MediaKindOf(c.path), c.kind) << c.path;
}

TEST_F(MediaPlayerTest, EachKindStartsWithoutWaiting) {
  struct Case {
    const char* path;
    int result;
    Calls calls;
  };
  const Case cases[] = {
      {"/m/a.WAV", plat::kPlaybackWave, {"PlaySound /m/a.WAV"}},
      {"/m/a.mid", 7, {"OpenDevice sequencer /m/a.mid", "PlayDevice 7"}},
      {"/m/a.rmi", 7, {"OpenDevice sequencer /m/a.rmi", "PlayDevice 7"}},
      {"/m/a.avi", 7, {"OpenDevice AVIVideo /m/a.avi", "PlayDevice 7"}},
      {"/m/a.mpg", plat::kPlaybackExternal, {"StartProgram Play /m/a.mpg"}},
      {"/m/a.mov", plat::kPlaybackExternal, {"StartProgram Play /m/a.mov"}},
  };
  for (const auto& c : cases) {
    plat::FakeMediaPlayer player;
    plat::ScopedMediaPlayer use(&player);
    EXPECT_EQ(plat::PlayMediaFile(c.path, false), c.result) << c.path;
    EXPECT_EQ(plat::MediaPlaybackState(), c.result) << c.path;
    EXPECT_EQ(player.calls, c.calls) << c.path;
  }
}

TEST_F(MediaPlayerTest, StopEndsWhatPlaysAndLeavesIdle) {
  struct Case {
    const char* path;
    const char* stopCall;
  };
  const Case cases[] = {
      {"/m/a.wav", "PurgeSound"},
      {"/m/a.avi", "CloseDevice 7"},
      {"/m/a.mov", "EndProgram 40"},
  };
  for (const auto& c : cases) {
    plat::FakeMediaPlayer player;
    plat::ScopedMediaPlayer use(&player);
    ASSERT_NE(plat::PlayMediaFile(c.path, false), 0) << c.path;
    player.calls.clear();
    plat::StopMediaPlayback();
    EXPECT_EQ(player.calls, Calls{c.stopCall}) << c.path;
    EXPECT_EQ(plat::MediaPlaybackState(), plat::kPlaybackIdle);
    EXPECT_TRUE(player.openDevices.empty());
    EXPECT_TRUE(player.liveProcesses.empty());
    // A second stop has nothing left to end.
    player.calls.clear();
    plat::StopMediaPlayback();
    EXPECT_TRUE(player.calls.empty()) << c.path;
  }
}

TEST_F(MediaPlayerTest, ASecondClipStopsTheFirst) {
  EXPECT_EQ(plat::PlayMediaFile("/m/a.mid", false), 7);
  EXPECT_EQ(plat::PlayMediaFile("/m/b.mov", false), plat::kPlaybackExternal);
  EXPECT_EQ(plat::PlayMediaFile("/m/c.wav", false), plat::kPlaybackWave);
  EXPECT_EQ(plat::PlayMediaFile("/m/d.avi", false), 8);
  EXPECT_EQ(fake.calls, (Calls{"OpenDevice sequencer /m/a.mid", "PlayDevice 7", "CloseDevice 7",
                               "StartProgram Play /m/b.mov", "EndProgram 40", "PlaySound /m/c.wav",
                               "PurgeSound", "OpenDevice AVIVideo /m/d.avi", "PlayDevice 8"}));
  EXPECT_EQ(fake.openDevices, std::set<int>{8});
  EXPECT_TRUE(fake.liveProcesses.empty());
}

TEST_F(MediaPlayerTest, WaitingPlaysToTheEndAndLeavesIdle) {
  struct Case {
    const char* path;
    Calls calls;
  };
  const Case cases[] = {
      {"/m/a.wav", {"PlaySound /m/a.wav wait"}},
      {"/m/a.mid", {"OpenDevice sequencer /m/a.mid", "PlayDevice 7 wait", "CloseDevice 7"}},
      {"/m/a.avi", {"OpenDevice AVIVideo /m/a.avi", "PlayDevice 7 wait", "CloseDevice 7"}},
      {"/m/a.mpg", {"StartProgram Play /m/a.mpg", "WaitProgram 40"}},
  };
  for (const auto& c : cases) {
    plat::FakeMediaPlayer player;
    plat::ScopedMediaPlayer use(&player);
    int stateWhilePlaying = 0;
    player.duringWait = [&] { stateWhilePlaying = plat::MediaPlaybackState(); };
    EXPECT_EQ(plat::PlayMediaFile(c.path, true), plat::kPlayedAndWaited) << c.path;
    EXPECT_NE(stateWhilePlaying, plat::kPlaybackIdle) << c.path;
    EXPECT_EQ(plat::MediaPlaybackState(), plat::kPlaybackIdle) << c.path;
    EXPECT_EQ(player.calls, c.calls) << c.path;
    EXPECT_TRUE(player.openDevices.empty());
    EXPECT_TRUE(player.liveProcesses.empty());
  }
}

TEST_F(MediaPlayerTest, WhatCannotPlayAnswersZeroAndLeavesNothingPlaying) {
  // A sound plays first: every failure below must still have stopped it.
  struct Case {
    const char* name;
    std::function<void(plat::FakeMediaPlayer&)> setUp;
    const char* path;
    Calls calls;
  };
  const Case cases[] = {
      {"no extension", nullptr, "/m/clip", {}},
      {"unknown extension", nullptr, "/m/clip.mp3", {}},
      {"sound fails", [](auto& p) { p.soundResult = false; }, "/m/a.wav", {"PlaySound /m/a.wav"}},
      {"device does not open",
       [](auto& p) { p.openableDevices.clear(); },
       "/m/a.avi",
       {"OpenDevice AVIVideo /m/a.avi"}},
      {"device does not play",
       [](auto& p) { p.playResult = false; },
       "/m/a.avi",
       {"OpenDevice AVIVideo /m/a.avi", "PlayDevice 7", "CloseDevice 7"}},
      {"no program",
       [](auto& p) { p.startableVerbs.clear(); },
       "/m/a.mov",
       {"StartProgram Play /m/a.mov", "StartProgram Open /m/a.mov"}},
  };
  for (const auto& c : cases) {
    for (bool wait : {false, true}) {
      plat::FakeMediaPlayer player;
      plat::ScopedMediaPlayer use(&player);
      ASSERT_EQ(plat::PlayMediaFile("/m/first.wav", false), plat::kPlaybackWave);
      if (c.setUp) c.setUp(player);
      player.calls.clear();
      Calls expected{"PurgeSound"};
      for (std::string call : c.calls) {
        if (wait && (call.starts_with("PlaySound") || call.starts_with("PlayDevice")))
          call += " wait";
        expected.push_back(call);
      }
      EXPECT_EQ(plat::PlayMediaFile(c.path, wait), 0) << c.name;
      EXPECT_EQ(plat::MediaPlaybackState(), plat::kPlaybackIdle) << c.name;
      EXPECT_EQ(player.calls, expected) << c.name << (wait ? " waiting" : "");
      EXPECT_TRUE(player.openDevices.empty()) << c.name;
    }
  }
}

TEST_F(MediaPlayerTest, ProgramFallsBackToTheOpenVerb) {
  fake.startableVerbs = {plat::kVerbOpen};
  EXPECT_EQ(plat::PlayMediaFile("/m/a.mpg", false), plat::kPlaybackExternal);
  EXPECT_EQ(fake.calls, (Calls{"StartProgram Play /m/a.mpg", "StartProgram Open /m/a.mpg"}));
  plat::StopMediaPlayback();
  EXPECT_EQ(fake.calls.back(), "EndProgram 40");
}

TEST_F(MediaPlayerTest, MidiWithoutSequencerGoesToTheDesktopsProgram) {
  fake.openableDevices = {plat::kDeviceVideo};
  EXPECT_EQ(plat::PlayMediaFile("/m/a.mid", false), plat::kPlaybackExternal);
  EXPECT_EQ(fake.calls, (Calls{"OpenDevice sequencer /m/a.mid", "StartProgram Play /m/a.mid"}));
  // An .avi has no such way out.
  fake.openableDevices.clear();
  EXPECT_EQ(plat::PlayMediaFile("/m/a.avi", false), 0);
  EXPECT_EQ(fake.calls.back(), "OpenDevice AVIVideo /m/a.avi");
}

TEST_F(MediaPlayerTest, AWaitedClipStoppedMeanwhileClosesOnce) {
  fake.duringWait = [] { plat::StopMediaPlayback(); };
  EXPECT_EQ(plat::PlayMediaFile("/m/a.avi", true), plat::kPlayedAndWaited);
  EXPECT_EQ(fake.calls, (Calls{"OpenDevice AVIVideo /m/a.avi", "PlayDevice 7 wait", "CloseDevice 7",
                               "CloseDevice 7"}));
  EXPECT_TRUE(fake.openDevices.empty());
  EXPECT_EQ(plat::MediaPlaybackState(), plat::kPlaybackIdle);
}

TEST_F(MediaPlayerTest, AClipStartedWhileAnotherIsAwaitedKeepsPlaying) {
  struct Case {
    const char* waited;
    const char* stopCall;
  };
  const Case cases[] = {
      {"/m/a.wav", "PurgeSound"},
      {"/m/a.avi", "CloseDevice 7"},
      {"/m/a.mpg", "EndProgram 40"},
  };
  for (const auto& c : cases) {
    plat::FakeMediaPlayer player;
    plat::ScopedMediaPlayer use(&player);
    player.duringWait = [] { plat::PlayMediaFile("/m/b.mid", false); };
    EXPECT_EQ(plat::PlayMediaFile(c.waited, true), plat::kPlayedAndWaited) << c.waited;
    // The clip started meanwhile stopped the awaited one and is still the one playing.
    EXPECT_NE(std::find(player.calls.begin(), player.calls.end(), c.stopCall), player.calls.end())
        << c.waited;
    int device = plat::MediaPlaybackState();
    EXPECT_GT(device, 0) << c.waited;
    EXPECT_EQ(player.openDevices, std::set<int>{device}) << c.waited;
  }
}

TEST(MediaPlayerPorts, HeadlessPlaysNothing) {
  for (const char* path : {"/m/a.wav", "/m/a.mid", "/m/a.avi", "/m/a.mpg", "/m/a.mov"}) {
    for (bool wait : {false, true}) {
      EXPECT_EQ(plat::PlayMediaFile(path, wait), 0) << path;
      EXPECT_EQ(plat::MediaPlaybackState(), plat::kPlaybackIdle) << path;
    }
  }
}

TEST(MediaPlayerPorts, ReplacingThePlayerStopsItsClip) {
  plat::FakeMediaPlayer first;
  {
    plat::ScopedMediaPlayer use(&first);
    ASSERT_EQ(plat::PlayMediaFile("/m/a.avi", false), 7);
  }
  EXPECT_TRUE(first.openDevices.empty());
  EXPECT_EQ(first.calls.back(), "CloseDevice 7");
  EXPECT_EQ(plat::MediaPlaybackState(), plat::kPlaybackIdle);
}

}  // namespace
