// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageOptions.h"

#include "DiscError.h"
#include "DiscTexts.h"
#include "IsoSession_p.h"

namespace platterwise {

namespace {

// The command up to its graft points. Each choice appears twice in this file, once as
// xorriso's option here and once as the libisofs setting that lays the image out the same way
// (MakeIsoWriteOpts); keep the two lists in step.
std::vector<std::string> XorrisoHead(const TImageOptions& options) {
    std::vector<std::string> args = {"xorriso"};
    if (options.RecordMd5) {
        args.insert(args.end(), {"-md5", "on"});
    }
    args.insert(args.end(),
                {
                    "-as",
                    "mkisofs",
                    "-iso-level",
                    "3",  // ISO 9660 names of up to 31 characters; files of 4 GiB and more
                    "-r", // Rock Ridge: full names; owners 0 and modes readable by all
                    "-J",
                    "-joliet-long", // Joliet names of up to 103 characters for Windows
                    "-f",           // links followed: the image holds what they point to
                    "-input-charset",
                    "UTF-8", // names read as UTF-8 whatever the locale says
                    options.Pad ? "-pad" : "-no-pad",
                });
    if (!options.VolumeId.empty()) {
        args.insert(args.end(), {"-V", options.VolumeId});
    }
    args.emplace_back("-graft-points");
    return args;
}

std::vector<std::string> WithOutput(std::vector<std::string> args, const std::string& image) {
    if (image.empty()) {
        args.emplace_back("-print-size");
    } else {
        args.insert(args.end(), {"-o", image});
    }
    return args;
}

} // namespace

std::vector<std::string> XorrisoCommand(const TImageOptions& options, const std::string& pathList,
                                        const std::string& image) {
    std::vector<std::string> args = XorrisoHead(options);
    args.insert(args.end(), {"-path-list", pathList});
    return WithOutput(std::move(args), image);
}

std::vector<std::string> XorrisoCommand(const TImageOptions& options,
                                        const std::vector<TGraftPoint>& points,
                                        const std::string& image) {
    std::vector<std::string> args = XorrisoHead(options);
    for (const TGraftPoint& point : points) {
        std::string& arg = args.emplace_back("/");
        arg += EscapeGraftPart(point.ImageName);
        arg += '=';
        arg += EscapeGraftPart(point.DiskPath);
    }
    return WithOutput(std::move(args), image);
}

namespace detail {
namespace {

void Check(int result) {
    if (result < 0) {
        throw TDiscError("The image" + std::string(texts::kLibisofsFailed.Text) +
                             iso_error_to_msg(result),
                         texts::kLibisofsFailed.Code);
    }
}

} // namespace

IsoWriteOptsPtr MakeIsoWriteOpts(const TImageOptions& options) {
    IsoWriteOpts* raw = nullptr;
    Check(iso_write_opts_new(&raw, 0));
    IsoWriteOptsPtr opts(raw);
    IsoWriteOpts* o = opts.get();
    Check(iso_write_opts_set_iso_level(o, 3));
    // -r: Rock Ridge as xorriso writes it by default, RRIP 1.10 without inode numbers.
    // Owners and modes are rewritten in place; no entry changes its length.
    Check(iso_write_opts_set_rockridge(o, 1));
    Check(iso_write_opts_set_rrip_version_1_10(o, 1));
    // -J -joliet-long; xorriso drops version numbers from Joliet names only.
    Check(iso_write_opts_set_joliet(o, 1));
    Check(iso_write_opts_set_joliet_long_names(o, 1));
    Check(iso_write_opts_set_joliet_longer_paths(o, 1));
    Check(iso_write_opts_set_omit_version_numbers(o, 2));
    Check(iso_write_opts_set_no_force_dots(o, 2));
    // xorriso's mkisofs defaults: deep and long paths kept where they are, dots allowed in
    // folder names, times in GMT.
    Check(iso_write_opts_set_allow_deep_paths(o, 1));
    Check(iso_write_opts_set_allow_longer_paths(o, 1));
    Check(iso_write_opts_set_allow_dir_id_ext(o, 1));
    Check(iso_write_opts_set_always_gmt(o, 1));
    Check(iso_write_opts_set_dir_rec_mtime(o, 1));
    // -md5 on. Readers find the MD5 array through an extended attribute of the root
    // ("isofs.ca"), written as AAIP; no node carries other attributes.
    Check(iso_write_opts_set_record_md5(o, options.RecordMd5 ? 1 : 0, options.RecordMd5 ? 1 : 0));
    Check(iso_write_opts_set_aaip(o, options.RecordMd5 ? 1 : 0));
    // -pad / -no-pad
    Check(iso_write_opts_set_tail_blocks(o, options.Pad ? kPadSectors : 0));
    // Only the size is wanted: no writer thread, and the smallest buffer.
    Check(iso_write_opts_set_will_cancel(o, 1));
    Check(iso_write_opts_set_fifo_size(o, 32));
    return opts;
}

} // namespace detail
} // namespace platterwise
