# cmake -DDIR=<folder> -P crlf.cmake: gives every text file under the folder
# (*.txt, *.h, *.hpp, *.c, *.def, *.cmake) Windows line ends, CR LF.
file(GLOB_RECURSE files ${DIR}/*.txt ${DIR}/*.h ${DIR}/*.hpp ${DIR}/*.c ${DIR}/*.def ${DIR}/*.cmake)
foreach(file ${files})
  file(READ ${file} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${file} "${text}")
endforeach()
