// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A libisofs content stream that knows only its size and the identity of the file it stands
// for. Sizing an image never reads file content, so the tree can be built from what a walk
// has already measured. libisofs's stream interface has a member named "class", which C++
// cannot declare; the stream is therefore written in C (SizedStream.c).
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

struct iso_stream;

// A new stream of `size` bytes with one reference, owned by the caller until handed to
// libisofs (iso_tree_add_new_file takes it over). Two streams with the same nonzero
// `device` and `inode` are one file: the image stores its content once, as it does for hard
// links. With both 0 the stream is unique. NULL when memory runs out.
struct iso_stream* platterwise_sized_stream_new(off_t size, dev_t device, ino_t inode);

#ifdef __cplusplus
}
#endif
