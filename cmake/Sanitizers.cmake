# Flags of the native checked build: AddressSanitizer and UndefinedBehavior-
# Sanitizer, plus libFuzzer's coverage hooks so the fuzzers share the library.
set(LUMORA_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
set(LUMORA_SAN_LINK -fsanitize=address,undefined)

function(lumora_sanitize target)
  target_compile_options(${target} PRIVATE ${LUMORA_SAN_FLAGS})
  target_link_options(${target} PRIVATE ${LUMORA_SAN_LINK})
endfunction()
