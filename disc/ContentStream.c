// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentStream.h"

#include "Libisofs_p.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* The same file-system id as SizedStream, so sizing and writing identify files alike. */
#define PLATTERWISE_FS_ID 0x706c7477u
/* libisofs asks for a few kilobytes at a time; the disk is read in larger steps. */
#define CONTENT_BUFFER (1024 * 1024)

struct content_data {
    char* path;
    off_t size;
    int64_t mtime_ns;
    dev_t device;
    ino_t inode;
    uint32_t index;
    const struct platterwise_content_watch* watch;
    int fd;
    off_t done;
    char* buffer;
    size_t buffered, used;
};

static int64_t mtime_of(const struct stat* st) {
    return (int64_t)st->st_mtim.tv_sec * 1000000000 + st->st_mtim.tv_nsec;
}

static int fail(struct content_data* d, const char* why, int error) {
    d->watch->failed(d->watch->context, d->index, why, error);
    return ISO_FILE_READ_ERROR;
}

static int changed(struct content_data* d, const struct stat* st) {
    return st->st_size != d->size || mtime_of(st) != d->mtime_ns;
}

static int content_open(IsoStream* stream) {
    struct content_data* d = stream->data;
    if (d->fd >= 0) {
        return ISO_FILE_ALREADY_OPENED;
    }
    /* Only open streams hold a buffer: an image may hold many thousands of files. */
    if (d->buffer == NULL && (d->buffer = malloc(CONTENT_BUFFER)) == NULL) {
        return fail(d, "cannot be read: ", ENOMEM);
    }
    d->fd = open(d->path, O_RDONLY | O_CLOEXEC);
    if (d->fd < 0) {
        return fail(d,
                    errno == ENOENT ? "vanished while its image was written" : "cannot be read: ",
                    errno == ENOENT ? 0 : errno);
    }
    struct stat st;
    if (fstat(d->fd, &st) != 0 || changed(d, &st)) {
        return fail(d, "changed while its image was written", 0);
    }
    /* Read once from start to end: the kernel may read further ahead. */
    posix_fadvise(d->fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    d->done = 0;
    d->buffered = d->used = 0;
    return 1;
}

static int content_close(IsoStream* stream) {
    struct content_data* d = stream->data;
    if (d->fd < 0) {
        return ISO_FILE_NOT_OPENED;
    }
    struct stat st;
    const int same = fstat(d->fd, &st) == 0 && !changed(d, &st);
    close(d->fd);
    d->fd = -1;
    free(d->buffer);
    d->buffer = NULL;
    if (!same) {
        return fail(d, "changed while its image was written", 0);
    }
    return 1;
}

static off_t content_get_size(IsoStream* stream) {
    return ((const struct content_data*)stream->data)->size;
}

static int refill(struct content_data* d) {
    for (;;) {
        const ssize_t n = read(d->fd, d->buffer, CONTENT_BUFFER);
        if (n >= 0) {
            d->buffered = (size_t)n;
            d->used = 0;
            return 1;
        }
        if (errno != EINTR) {
            return fail(d, "cannot be read: ", errno);
        }
    }
}

static int content_read(IsoStream* stream, void* buffer, size_t count) {
    struct content_data* d = stream->data;
    if (d->fd < 0) {
        return ISO_FILE_NOT_OPENED;
    }
    size_t copied = 0;
    while (copied < count && d->done < d->size) {
        if (d->used == d->buffered) {
            const int result = refill(d);
            if (result < 0) {
                return result;
            }
            if (d->buffered == 0) {
                return fail(d, "changed while its image was written", 0); /* shorter now */
            }
        }
        size_t n = d->buffered - d->used;
        if (n > count - copied) {
            n = count - copied;
        }
        if ((off_t)n > d->size - d->done) {
            n = (size_t)(d->size - d->done);
        }
        memcpy((char*)buffer + copied, d->buffer + d->used, n);
        d->used += n;
        d->done += (off_t)n;
        copied += n;
    }
    return (int)copied;
}

static int content_is_repeatable(IsoStream* stream) {
    (void)stream;
    return 1;
}

static void content_get_id(IsoStream* stream, unsigned int* fs_id, dev_t* dev_id, ino_t* ino_id) {
    const struct content_data* d = stream->data;
    const int known = d->device != 0 || d->inode != 0;
    *fs_id = known ? PLATTERWISE_FS_ID : 0;
    *dev_id = d->device;
    *ino_id = d->inode;
}

static void content_free(IsoStream* stream) {
    struct content_data* d = stream->data;
    if (d->fd >= 0) {
        close(d->fd);
    }
    free(d->buffer);
    free(d->path);
    free(d);
}

static int content_update_size(IsoStream* stream) {
    (void)stream;
    return 1;
}

static IsoStream* content_get_input_stream(IsoStream* stream, int flag) {
    (void)stream;
    (void)flag;
    return NULL;
}

static IsoStreamIface content_stream_class = {
    3,
    "user",
    content_open,
    content_close,
    content_get_size,
    content_read,
    content_is_repeatable,
    content_get_id,
    content_free,
    content_update_size,
    content_get_input_stream,
    NULL,
    NULL,
};

struct iso_stream* platterwise_content_stream_new(const char* path, off_t size, int64_t mtime_ns,
                                                  dev_t device, ino_t inode, uint32_t index,
                                                  const struct platterwise_content_watch* watch) {
    IsoStream* stream = malloc(sizeof *stream);
    struct content_data* d = calloc(1, sizeof *d);
    char* copy = strdup(path);
    if (stream == NULL || d == NULL || copy == NULL) {
        free(stream);
        free(d);
        free(copy);
        return NULL;
    }
    d->path = copy;
    d->size = size;
    d->mtime_ns = mtime_ns;
    d->device = device;
    d->inode = inode;
    d->index = index;
    d->watch = watch;
    d->fd = -1;
    stream->class = &content_stream_class;
    stream->refcount = 1;
    stream->data = d;
    return stream;
}
