# The program's resources: the icon, the banner and the picture buttons are drawn from the
# SVG artwork at build time (rsvg-convert renders, ImageMagick's convert packs the .ico and
# the bitmaps), so resources/*.svg stays the only source of every picture.
#   quivanto_resources: an OBJECT library; link it into an executable to carry them.

find_program(QUIVANTO_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUIVANTO_IMAGE_CONVERT convert REQUIRED)

set(QUIVANTO_ART ${QUIVANTO_ROOT}/resources)
set(QUIVANTO_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${QUIVANTO_RESOURCE_DIR})

# Every size Windows picks from: small and large icons at 100 % to 250 % and the 256
# image for the shell's largest views.
set(QUIVANTO_ICON_SIZES 16 20 24 32 40 48 64 256)
set(icon_pngs)
foreach(size IN LISTS QUIVANTO_ICON_SIZES)
  set(png ${QUIVANTO_RESOURCE_DIR}/icon_${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${QUIVANTO_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${QUIVANTO_ART}/icon.svg
    DEPENDS ${QUIVANTO_ART}/icon.svg VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${QUIVANTO_RESOURCE_DIR}/quivanto.ico
  COMMAND ${QUIVANTO_IMAGE_CONVERT} ${icon_pngs} ${QUIVANTO_RESOURCE_DIR}/quivanto.ico
  DEPENDS ${icon_pngs} VERBATIM)

# A picture as a 24-bit bitmap of the given size, flattened onto the list window's green
# (0, 128, 0), which is what shows through its transparent parts on screen.
set(QUIVANTO_BITMAPS)
function(quivanto_bitmap svg name width height)
  set(png ${QUIVANTO_RESOURCE_DIR}/${name}.png)
  set(bmp ${QUIVANTO_RESOURCE_DIR}/${name}.bmp)
  add_custom_command(OUTPUT ${bmp}
    COMMAND ${QUIVANTO_RSVG_CONVERT} -w ${width} -h ${height} -o ${png} ${QUIVANTO_ART}/${svg}
    COMMAND ${QUIVANTO_IMAGE_CONVERT} ${png} -background rgb\(0,128,0\) -alpha remove
            -type TrueColor BMP3:${bmp}
    DEPENDS ${QUIVANTO_ART}/${svg} VERBATIM)
  set(QUIVANTO_BITMAPS ${QUIVANTO_BITMAPS} ${bmp} PARENT_SCOPE)
endfunction()

quivanto_bitmap(banner.svg banner 263 39)
quivanto_bitmap(banner.svg banner_2x 526 78)
foreach(button IN ITEMS add delete properties help hide)
  quivanto_bitmap(${button}.svg ${button} 16 16)
  quivanto_bitmap(${button}.svg ${button}_2x 32 32)
endforeach()

# The version as the resource script wants it: numbers, and the text "2.05.0002".
string(REPLACE "." ";" version_parts "${QUIVANTO_VERSION}")
list(GET version_parts 0 QUIVANTO_RC_MAJOR)
list(GET version_parts 1 QUIVANTO_RC_MINOR)
list(GET version_parts 2 QUIVANTO_RC_PATCH)
string(LENGTH "${QUIVANTO_RC_MINOR}" minor_length)
string(LENGTH "${QUIVANTO_RC_PATCH}" patch_length)
math(EXPR minor_zeros "2 - ${minor_length}")
math(EXPR patch_zeros "4 - ${patch_length}")
string(REPEAT 0 ${minor_zeros} minor_fill)
string(REPEAT 0 ${patch_zeros} patch_fill)
file(CONFIGURE OUTPUT ${QUIVANTO_RESOURCE_DIR}/quivanto_version.h CONTENT
"#define QUIVANTO_VERSION_MAJOR ${QUIVANTO_RC_MAJOR}
#define QUIVANTO_VERSION_MINOR ${QUIVANTO_RC_MINOR}
#define QUIVANTO_VERSION_PATCH ${QUIVANTO_RC_PATCH}
#define QUIVANTO_VERSION_TEXT \"${QUIVANTO_RC_MAJOR}.${minor_fill}${QUIVANTO_RC_MINOR}.${patch_fill}${QUIVANTO_RC_PATCH}\"
")

add_custom_target(quivanto_images DEPENDS ${QUIVANTO_RESOURCE_DIR}/quivanto.ico ${QUIVANTO_BITMAPS})
add_library(quivanto_resources OBJECT ${QUIVANTO_ROOT}/src/win32/quivanto.rc)
add_dependencies(quivanto_resources quivanto_images)
target_include_directories(quivanto_resources PRIVATE ${QUIVANTO_RESOURCE_DIR}
  ${QUIVANTO_ROOT}/src/win32)
# The resource compiler does not see the images as inputs: rebuild when they change.
set_source_files_properties(${QUIVANTO_ROOT}/src/win32/quivanto.rc PROPERTIES OBJECT_DEPENDS
  "${QUIVANTO_RESOURCE_DIR}/quivanto.ico;${QUIVANTO_BITMAPS};${QUIVANTO_ROOT}/src/win32/quivanto.manifest;${QUIVANTO_RESOURCE_DIR}/quivanto_version.h")
