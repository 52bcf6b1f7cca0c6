# Program icons are drawn at build time with ImageMagick, so no binary art lives
# in the repository: a framed picture (sky, sun, hills) in the given colours.
# ImageMagick's own convert from Debian's package, not a wrapper earlier on PATH.
find_program(MIRADO_CONVERT NAMES convert PATHS /usr/bin NO_DEFAULT_PATH)
find_program(MIRADO_CONVERT NAMES convert REQUIRED)

function(mirado_make_icon output sky hills)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${MIRADO_CONVERT} -size 32x32 xc:${sky}
            -fill "#ffd84a" -draw "circle 23,9 23,13"
            -fill ${hills} -draw "polygon 0,31 0,22 9,13 17,22 23,17 31,24 31,31"
            -fill none -stroke "#202020" -strokewidth 2 -draw "rectangle 1,1 30,30"
            -define icon:auto-resize=32,16 ${output}
    VERBATIM)
endfunction()
