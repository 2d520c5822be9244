// SPDX-License-Identifier: GPL-3.0-or-later
#include "MixedSelection.h"

#include "engine/ShellText.h"

#include <random>

namespace platterwise::testing {

MixedSelection::MixedSelection() {
    std::mt19937 random(11);
    const auto size = [&] { return std::int64_t(random() % 3'000'000); };
    const std::string album = "albums/Pink Floyd - The Dark Side of the Moon (1973) [2011 "
                              "Remaster, FLAC 24-96]";
    for (int t = 1; t <= 12; ++t) {
        dir_.File(album + "/" + std::to_string(t) + " - Ünïcödé Tïtle of Track " +
                      std::to_string(t) + " with Some Extra Words.flac",
                  size());
    }
    dir_.File(album + "/Scans/front.jpg", size());
    dir_.File(album + "/.hidden", 7);
    dir_.Folder(album + "/Empty");
    dir_.Folder(album + "/1/2/3/4/5/6/7/8/9/10/11");
    dir_.File(album + "/1/2/3/4/5/6/7/8/9/10/11/deep.txt", 100);
    const std::string russian = "albums/Битлз — Эбби Роуд";
    for (const char* disc : {"CD1", "CD2"}) {
        for (int t = 1; t <= 9; ++t) {
            dir_.File(russian + "/" + disc + "/0" + std::to_string(t) + ". Песня.ape", size());
        }
    }
    const std::string classical = "albums/Beethoven";
    for (int t = 1; t <= 14; ++t) {
        dir_.File(classical + "/Beethoven - Symphony No. 5 in C minor, Op. 67 - Movement " +
                      std::to_string(t) + ".flac",
                  size());
    }
    dir_.File(classical + "/a.txt", 1);
    dir_.File(classical + "/A.TXT", 2);
    dir_.File(classical + "/🎵 notes.txt", 3);
    dir_.File(classical + "/bad\xff\xfe name.txt", 4);
    dir_.File(classical + "/line\nbreak.txt", 5);
    dir_.File(classical + "/" + std::string(250, 'x') + ".flac", 6);
    HardLink(dir_, classical + "/hard link.flac", classical + "/a.txt");
    dir_.Link(classical + "/up", "..");                           // a loop, followed once
    dir_.Link(classical + "/broken", "/nonexistent");             // stays a link
    dir_.Link(classical + "/to russian", "../Битлз — Эбби Роуд"); // content stored once
    Fifo(dir_, classical + "/pipe");
    dir_.File("other/CD1/01.flac", size());
    dir_.File("another/CD1/01.flac", size());
    dir_.File("another/CD1/02.flac", size());
    dir_.Folder("name with = and \\");
    dir_.File("name with = and \\/inside=1.txt", 10);
    dir_.Folder("empty");
    // Folders of many sizes, so that some directory extent ends close to a sector
    // boundary and a record a few bytes longer or shorter would show.
    for (int k = 1; k <= 24; ++k) {
        const std::string set =
            "sets/a set of files with a long name, number " + std::to_string(k) + "/";
        for (int f = 0; f < 5 * k; ++f) {
            dir_.File(set + std::string(std::size_t(1 + (k * 7 + f * 13) % 90), 'n') +
                          std::to_string(f) + (f % 3 == 0 ? "" : ".wav"),
                      f);
        }
    }
    dir_.File("loose/01 Loose.flac", size());
    dir_.File("loose/01 loose.FLAC", size());
    dir_.File("loose/日本語のファイル名.ape", size());
    dir_.File("loose/big.iso", 5'000'000'000LL);
    dir_.Link("linked album", "albums/Beethoven");
    dir_.Link("linked track", "loose/01 Loose.flac");
    for (const char* item :
         {"albums/Pink Floyd - The Dark Side of the Moon (1973) [2011 Remaster, FLAC 24-96]",
          "albums/Битлз — Эбби Роуд", "albums/Beethoven", "other/CD1", "another/CD1",
          "name with = and \\", "empty", "loose/01 Loose.flac", "loose/01 loose.FLAC",
          "loose/日本語のファイル名.ape", "loose/big.iso", "linked album", "linked track",
          "sets"}) {
        paths_.push_back(dir_ / item);
    }
}

std::int64_t MixedSelection::XorrisoSectors(const TImageSizer::TImage& image,
                                            const TImageOptions& options,
                                            const std::string& output) const {
    const std::string list = dir_ / "graft points";
    WriteText(list, GraftPointList(image.GraftPoints));
    const std::string line = ShellCommandLine(XorrisoCommand(options, list, output));
    return XorrisoPrintSize({"bash", "-c", line});
}

} // namespace platterwise::testing
