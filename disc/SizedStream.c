// SPDX-License-Identifier: GPL-3.0-or-later
#include "SizedStream.h"

#include "Libisofs_p.h"

#include <stdlib.h>

/* Distinguishes these streams from libisofs's own when identities are compared. */
#define PLATTERWISE_FS_ID 0x706c7477u

struct sized_stream_data {
    off_t size;
    dev_t device;
    ino_t inode;
};

static int sized_open(IsoStream* stream) {
    (void)stream;
    return 1;
}

static int sized_close(IsoStream* stream) {
    (void)stream;
    return 1;
}

static off_t sized_get_size(IsoStream* stream) {
    return ((const struct sized_stream_data*)stream->data)->size;
}

/* Content is never asked for when only the size is wanted; reading ends at once. */
static int sized_read(IsoStream* stream, void* buffer, size_t count) {
    (void)stream;
    (void)buffer;
    (void)count;
    return 0;
}

static int sized_is_repeatable(IsoStream* stream) {
    (void)stream;
    return 1;
}

static void sized_get_id(IsoStream* stream, unsigned int* fs_id, dev_t* dev_id, ino_t* ino_id) {
    const struct sized_stream_data* data = stream->data;
    const int known = data->device != 0 || data->inode != 0;
    *fs_id = known ? PLATTERWISE_FS_ID : 0;
    *dev_id = data->device;
    *ino_id = data->inode;
}

static void sized_free(IsoStream* stream) {
    free(stream->data);
}

static int sized_update_size(IsoStream* stream) {
    (void)stream;
    return 1;
}

static IsoStream* sized_get_input_stream(IsoStream* stream, int flag) {
    (void)stream;
    (void)flag;
    return NULL;
}

/* Version 3 with no comparison of its own: libisofs then compares the identities from
   get_id, file system, device and inode, exactly as it does for files read from disk. */
static IsoStreamIface sized_stream_class = {
    3,
    "user",
    sized_open,
    sized_close,
    sized_get_size,
    sized_read,
    sized_is_repeatable,
    sized_get_id,
    sized_free,
    sized_update_size,
    sized_get_input_stream,
    NULL,
    NULL,
};

struct iso_stream* platterwise_sized_stream_new(off_t size, dev_t device, ino_t inode) {
    IsoStream* stream = malloc(sizeof *stream);
    struct sized_stream_data* data = malloc(sizeof *data);
    if (stream == NULL || data == NULL) {
        free(stream);
        free(data);
        return NULL;
    }
    data->size = size;
    data->device = device;
    data->inode = inode;
    stream->class = &sized_stream_class;
    stream->refcount = 1;
    stream->data = data;
    return stream;
}
