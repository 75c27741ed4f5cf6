#pragma once

#include <libheif/heif.h>

// The functions of libheif the game calls. Each is a member of Libheif
// under its own name, so that a call reads as libheif's own documentation
// writes it.
#define PLIMMERLO_LIBHEIF_FUNCTIONS(F)                                                                                \
    F(heif_context_alloc)                                                                                            \
    F(heif_context_free)                                                                                             \
    F(heif_context_get_primary_image_handle)                                                                         \
    F(heif_context_read_from_memory_without_copy)                                                                    \
    F(heif_context_set_max_decoding_threads)                                                                         \
    F(heif_context_set_maximum_image_size_limit)                                                                     \
    F(heif_decode_image)                                                                                             \
    F(heif_decoding_options_alloc)                                                                                   \
    F(heif_decoding_options_free)                                                                                    \
    F(heif_have_decoder_for_format)                                                                                  \
    F(heif_image_get_height)                                                                                         \
    F(heif_image_get_plane)                                                                                          \
    F(heif_image_get_width)                                                                                          \
    F(heif_image_handle_get_height)                                                                                  \
    F(heif_image_handle_get_list_of_thumbnail_IDs)                                                                   \
    F(heif_image_handle_get_nclx_color_profile)                                                                      \
    F(heif_image_handle_get_number_of_thumbnails)                                                                    \
    F(heif_image_handle_get_raw_color_profile)                                                                       \
    F(heif_image_handle_get_raw_color_profile_size)                                                                  \
    F(heif_image_handle_get_thumbnail)                                                                               \
    F(heif_image_handle_get_width)                                                                                   \
    F(heif_image_handle_has_alpha_channel)                                                                           \
    F(heif_image_handle_release)                                                                                     \
    F(heif_image_release)                                                                                            \
    F(heif_nclx_color_profile_free)

struct Libheif {
#define PLIMMERLO_LIBHEIF_MEMBER(name) decltype(&::name) name = nullptr;
    PLIMMERLO_LIBHEIF_FUNCTIONS(PLIMMERLO_LIBHEIF_MEMBER)
#undef PLIMMERLO_LIBHEIF_MEMBER
};

// libheif, opened the first time a HEIF is met rather than at start-up:
// loading it, with the four codec libraries it links and the tables
// libde265 builds as it loads, would cost every start some milliseconds
// before the window is painted. Null where libheif is not installed or
// lacks one of the functions.
const Libheif* OpenLibheif();
