# Runs the calc driver on small inputs and checks its lines and exit status.
set(work "${CMAKE_CURRENT_BINARY_DIR}/driver_test")
file(MAKE_DIRECTORY "${work}")

function(run_driver input expected_status out_var err_var)
    file(WRITE "${work}/input.txt" "${input}")
    execute_process(COMMAND "${DRIVER}"
        INPUT_FILE "${work}/input.txt"
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "exit status ${status}, expected ${expected_status}: ${err}")
    endif()
    set(${out_var} "${out}" PARENT_SCOPE)
    set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

set(tab "\t")
set(default_row "195${tab}75${tab}14${tab}215${tab}55${tab}16${tab}25.5${tab}25.3${tab}99%${tab}60mph${tab}1${tab}1${tab}1${tab}1${tab}ok\n")
set(error_row "195${tab}.${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab}${tab}0${tab}0${tab}0${tab}0${tab}TypeMismatch\n")

# Six empty entries, then an error, the last line without its newline.
run_driver("${tab}${tab}${tab}${tab}${tab}\n${tab}.${tab}${tab}${tab}${tab}" 0 out err)
if(NOT out STREQUAL "${default_row}${error_row}")
    message(FATAL_ERROR "unexpected output:\n${out}")
endif()

# A line with five fields stops the run, naming the line, after the lines before it.
run_driver("${tab}${tab}${tab}${tab}${tab}\n1${tab}2${tab}3${tab}4${tab}5\n" 2 out err)
if(NOT out STREQUAL "${default_row}" OR NOT err MATCHES "line 2")
    message(FATAL_ERROR "unexpected output for a short line:\n${out}\n${err}")
endif()

# So does a line with seven.
run_driver("${tab}${tab}${tab}${tab}${tab}${tab}\n" 2 out err)
if(NOT err MATCHES "line 1")
    message(FATAL_ERROR "unexpected message for a long line: ${err}")
endif()
