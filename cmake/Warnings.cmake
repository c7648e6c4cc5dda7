# Warnings are errors everywhere; sanitizers are a build-wide switch.
add_compile_options(-Wall -Wextra -Werror)
if(PM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
