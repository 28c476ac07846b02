@echo off
rem Starts the sample application on the Java runtime named in jvm.properties.
setlocal
set "QIV_JVM="
for /f "usebackq eol=# tokens=1,* delims==" %%a in ("%~dp0jvm.properties") do if "%%a"=="jvmHomeDir" set "QIV_JVM=%%b"
if not defined QIV_JVM (
  echo jvm.properties names no Java runtime. 1>&2
  exit /b 1
)
set "QIV_JVM=%QIV_JVM:/=\%"
"%QIV_JVM%\bin\java.exe" -jar "%~dp0hello.jar" %*
