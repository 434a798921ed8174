<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Messages</name>
    <message>
        <source>Database</source>
        <comment>101</comment>
        <translation>Base de datos</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>102</comment>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <comment>103</comment>
        <translation>&amp;Anular</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <comment>104</comment>
        <translation>&lt; &amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <comment>105</comment>
        <translation>&amp;Siguiente &gt;</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <comment>106</comment>
        <translation>&amp;Finalizar</translation>
    </message>
    <message>
        <source>Machine Number</source>
        <comment>107</comment>
        <translation>N.º de máquina</translation>
    </message>
    <message>
        <source>IP Address</source>
        <comment>108</comment>
        <translation>Dirección IP</translation>
    </message>
    <message>
        <source>Port</source>
        <comment>109</comment>
        <translation>Puerto</translation>
    </message>
    <message>
        <source>Add &amp;Machine</source>
        <comment>110</comment>
        <translation>&amp;Nueva máquina</translation>
    </message>
    <message>
        <source>&amp;Delete Machine</source>
        <comment>111</comment>
        <translation>&amp;Borrar máquina</translation>
    </message>
    <message>
        <source>Delete &amp;All</source>
        <comment>112</comment>
        <translation>Borrar &amp;todas</translation>
    </message>
    <message>
        <source>&amp;Copy Machine</source>
        <comment>113</comment>
        <translation>&amp;Copiar máquina</translation>
    </message>
    <message>
        <source>Add Machine</source>
        <comment>114</comment>
        <translation>Añadir máquina</translation>
    </message>
    <message>
        <source>Delete Machine</source>
        <comment>115</comment>
        <translation>Borrar máquina</translation>
    </message>
    <message>
        <source>Copy Machine</source>
        <comment>116</comment>
        <translation>Copiar máquina</translation>
    </message>
    <message>
        <source>%1 - Select a Database</source>
        <comment>117</comment>
        <translation>%1 - Seleccione una base de datos</translation>
    </message>
    <message>
        <source>%1 - Define Machines</source>
        <comment>118</comment>
        <translation>%1 - Defina las máquinas</translation>
    </message>
    <message>
        <source>The Machine Number cannot be empty.</source>
        <comment>119</comment>
        <translation>El número de máquina no puede estar vacío.</translation>
    </message>
    <message>
        <source>The IP Address cannot be empty.</source>
        <comment>120</comment>
        <translation>La dirección IP no puede estar vacía.</translation>
    </message>
    <message>
        <source>The Port cannot be empty.</source>
        <comment>121</comment>
        <translation>El puerto no puede estar vacío.</translation>
    </message>
    <message>
        <source>The combination of Machine Number, Machine Name, IP Address, and Port must be unique.</source>
        <comment>122</comment>
        <translation>La combinación de número de máquina, nombre de máquina, dirección IP y puerto debe ser única.</translation>
    </message>
    <message>
        <source>Select a File</source>
        <comment>123</comment>
        <translation>Seleccione un archivo</translation>
    </message>
    <message>
        <source>Microsoft Access Databases (*.mdb)|*.mdb</source>
        <comment>124</comment>
        <translation>Bases de datos de Microsoft Access (*.mdb)|*.mdb</translation>
    </message>
    <message>
        <source>Not Applicable</source>
        <comment>125</comment>
        <translation>No aplicable</translation>
    </message>
    <message>
        <source>The Database %1 could not be found.</source>
        <comment>126</comment>
        <translation>No se encontró la base de datos %1.</translation>
    </message>
    <message>
        <source>The Machine Name cannot be empty.</source>
        <comment>127</comment>
        <translation>El nombre de máquina no puede estar vacío.</translation>
    </message>
    <message>
        <source>Machine Name</source>
        <comment>128</comment>
        <translation>Nombre máquina</translation>
    </message>
    <message>
        <source>New Machine</source>
        <comment>129</comment>
        <translation>Nueva máquina</translation>
    </message>
    <message>
        <source>Internal errors occurred while deleting Machine Per PC records.</source>
        <comment>130</comment>
        <translation>Se produjeron errores internos al borrar los registros de máquinas por PC.</translation>
    </message>
    <message>
        <source>Internal errors occurred while deleting Machine records.</source>
        <comment>131</comment>
        <translation>Se produjeron errores internos al borrar los registros de máquinas.</translation>
    </message>
    <message>
        <source>Convert All File Names To UNC Names</source>
        <comment>132</comment>
        <translation>Convertir todos los nombres de archivo a nombres UNC</translation>
    </message>
    <message>
        <source>%1 - Select Machines For PC %2</source>
        <comment>133</comment>
        <translation>%1 - Seleccione las máquinas para el PC %2</translation>
    </message>
    <message>
        <source>%1 - Select Send Options</source>
        <comment>134</comment>
        <translation>%1 - Seleccione las opciones de envío</translation>
    </message>
    <message>
        <source>%1 - Select Receive Options</source>
        <comment>135</comment>
        <translation>%1 - Seleccione las opciones de recepción</translation>
    </message>
    <message>
        <source>Enabled</source>
        <comment>136</comment>
        <translation>Activa</translation>
    </message>
    <message>
        <source>Edit Mode</source>
        <comment>137</comment>
        <translation>Modo edición</translation>
    </message>
    <message>
        <source>Command Type</source>
        <comment>138</comment>
        <translation>Tipo de comando</translation>
    </message>
    <message>
        <source>None</source>
        <comment>139</comment>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>View Only</source>
        <comment>140</comment>
        <translation>Solo ver</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>141</comment>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Send</source>
        <comment>142</comment>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Receive</source>
        <comment>143</comment>
        <translation>Recibir</translation>
    </message>
    <message>
        <source>Both</source>
        <comment>144</comment>
        <translation>Ambos</translation>
    </message>
    <message>
        <source>Remote Command</source>
        <comment>145</comment>
        <translation>Comando remoto</translation>
    </message>
    <message>
        <source>Extension</source>
        <comment>146</comment>
        <translation>Extensión</translation>
    </message>
    <message>
        <source>Directory</source>
        <comment>147</comment>
        <translation>Directorio</translation>
    </message>
    <message>
        <source>Browse</source>
        <comment>148</comment>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>The Edit Mode cannot be empty.</source>
        <comment>149</comment>
        <translation>El modo de edición no puede estar vacío.</translation>
    </message>
    <message>
        <source>The Command Type cannot be empty.</source>
        <comment>150</comment>
        <translation>El tipo de comando no puede estar vacío.</translation>
    </message>
    <message>
        <source>The Remote Command cannot be empty.</source>
        <comment>151</comment>
        <translation>El comando remoto no puede estar vacío.</translation>
    </message>
    <message>
        <source>The Directory cannot be empty.</source>
        <comment>152</comment>
        <translation>El directorio no puede estar vacío.</translation>
    </message>
    <message>
        <source>The Directory %1 does not exist.</source>
        <comment>153</comment>
        <translation>El directorio %1 no existe.</translation>
    </message>
    <message>
        <source>The Directory is invalid.</source>
        <comment>154</comment>
        <translation>El directorio no es válido.</translation>
    </message>
    <message>
        <source>My Computer</source>
        <comment>155</comment>
        <translation>Mi PC</translation>
    </message>
    <message>
        <source>Select a directory</source>
        <comment>156</comment>
        <translation>Seleccione un directorio</translation>
    </message>
    <message>
        <source>Send to CNC</source>
        <comment>157</comment>
        <translation>Enviar al CNC</translation>
    </message>
    <message>
        <source>Receive from CNC</source>
        <comment>158</comment>
        <translation>Recibir del CNC</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>159</comment>
        <translation>Editar</translation>
    </message>
    <message>
        <source>View</source>
        <comment>160</comment>
        <translation>Ver</translation>
    </message>
    <message>
        <source>%1 - Select a Machine</source>
        <comment>161</comment>
        <translation>%1 - Seleccione una máquina</translation>
    </message>
    <message>
        <source>%1 - Select an Action</source>
        <comment>162</comment>
        <translation>%1 - Seleccione una acción</translation>
    </message>
    <message>
        <source>%1 - Select a File</source>
        <comment>163</comment>
        <translation>%1 - Seleccione un archivo</translation>
    </message>
    <message>
        <source>No database was specified.  Contact your Administrator to configure %1.</source>
        <comment>164</comment>
        <translation>No se ha indicado ninguna base de datos.  Póngase en contacto con su administrador para configurar %1.</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>165</comment>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Size</source>
        <comment>166</comment>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Modified</source>
        <comment>167</comment>
        <translation>Modificado</translation>
    </message>
    <message>
        <source>This PC has no machines specified.  Contact your admistrator to configure %1 on this PC.</source>
        <comment>168</comment>
        <translation>Este PC no tiene máquinas asignadas.  Póngase en contacto con su administrador para configurar %1 en este PC.</translation>
    </message>
    <message>
        <source>File Name</source>
        <comment>169</comment>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <comment>170</comment>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>The File %1 does not exist.</source>
        <comment>171</comment>
        <translation>El archivo %1 no existe.</translation>
    </message>
    <message>
        <source>Select a Machine Icon</source>
        <comment>172</comment>
        <translation>Seleccione un icono de máquina</translation>
    </message>
    <message>
        <source>Icon</source>
        <comment>173</comment>
        <translation>Icono</translation>
    </message>
    <message>
        <source>Please enter a positive integer for Port.</source>
        <comment>174</comment>
        <translation>Introduzca un número entero positivo para el puerto.</translation>
    </message>
    <message>
        <source>Port must be less than or equal to %1.</source>
        <comment>175</comment>
        <translation>El puerto debe ser menor o igual que %1.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <comment>176</comment>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>A File must be selected in order to perform this action.</source>
        <comment>177</comment>
        <translation>Debe seleccionar un archivo para realizar esta acción.</translation>
    </message>
    <message>
        <source>The File %1 already exists.  Do you want to overwrite the existing file?</source>
        <comment>178</comment>
        <translation>El archivo %1 ya existe.  ¿Desea sobrescribir el archivo existente?</translation>
    </message>
    <message>
        <source>Go</source>
        <comment>179</comment>
        <translation>Ir</translation>
    </message>
    <message>
        <source>%1 was unable to connect to Quorvane DNC at IP Address %2 and Port %3.</source>
        <comment>180</comment>
        <translation>%1 no pudo conectarse a Quorvane DNC en la dirección IP %2 y el puerto %3.</translation>
    </message>
    <message>
        <source>The directory %1 was not found.  Contact your admistrator to configure %2.</source>
        <comment>181</comment>
        <translation>No se encontró el directorio %1.  Póngase en contacto con su administrador para configurar %2.</translation>
    </message>
    <message>
        <source>At least one machine must be enabled on this PC to continue.</source>
        <comment>182</comment>
        <translation>Debe haber al menos una máquina activa en este PC para continuar.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>183</comment>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Shift</source>
        <comment>184</comment>
        <translation>Mayús</translation>
    </message>
    <message>
        <source>Bksp</source>
        <comment>185</comment>
        <translation>Retr.</translation>
    </message>
    <message>
        <source>Enter a File Name</source>
        <comment>186</comment>
        <translation>Introduzca un nombre de archivo</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>187</comment>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>On-Screen Keyboard</source>
        <comment>188</comment>
        <translation>Teclado en pantalla</translation>
    </message>
    <message>
        <source>LOAD</source>
        <comment>189</comment>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>SAVE</source>
        <comment>190</comment>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>The directory %1 is a Hidden directory, so %2 is unable to display the folder contents.</source>
        <comment>191</comment>
        <translation>El directorio %1 es un directorio oculto, por lo que %2 no puede mostrar el contenido de la carpeta.</translation>
    </message>
    <message>
        <source>The directory %1 is a System directory, so %2 is unable to display the folder contents.</source>
        <comment>192</comment>
        <translation>El directorio %1 es un directorio del sistema, por lo que %2 no puede mostrar el contenido de la carpeta.</translation>
    </message>
    <message>
        <source>The directory %1 is an Alias directory, so %2 is unable to display the folder contents.</source>
        <comment>193</comment>
        <translation>El directorio %1 es un directorio alias, por lo que %2 no puede mostrar el contenido de la carpeta.</translation>
    </message>
    <message>
        <source>The directory %1 is a Hidden directory, so you cannot select this directory.</source>
        <comment>194</comment>
        <translation>El directorio %1 es un directorio oculto, por lo que no se puede seleccionar.</translation>
    </message>
    <message>
        <source>The directory %1 is a System directory, so you cannot select this directory.</source>
        <comment>195</comment>
        <translation>El directorio %1 es un directorio del sistema, por lo que no se puede seleccionar.</translation>
    </message>
    <message>
        <source>The directory %1 is an Alias directory, so you cannot select this directory.</source>
        <comment>196</comment>
        <translation>El directorio %1 es un directorio alias, por lo que no se puede seleccionar.</translation>
    </message>
    <message>
        <source>%1 - Select Machines For User %2</source>
        <comment>197</comment>
        <translation>%1 - Seleccione las máquinas para el usuario %2</translation>
    </message>
    <message>
        <source>User %1 has no machines specified.  Contact your admistrator to configure %2 for this User.</source>
        <comment>198</comment>
        <translation>El usuario %1 no tiene máquinas asignadas.  Póngase en contacto con su administrador para configurar %2 para este usuario.</translation>
    </message>
    <message>
        <source>At least one machine must be enabled for this User to continue.</source>
        <comment>199</comment>
        <translation>Debe haber al menos una máquina activa para este usuario a fin de continuar.</translation>
    </message>
    <message>
        <source>Reading…</source>
        <comment>1001</comment>
        <translation>Leyendo…</translation>
    </message>
    <message>
        <source>The folder %1 does not answer.</source>
        <comment>1002</comment>
        <translation>La carpeta %1 no responde.</translation>
    </message>
    <message>
        <source>The folder %1 does not answer, so %2 could not be checked. Nothing was sent.</source>
        <comment>1003</comment>
        <translation>La carpeta %1 no responde, por lo que no se pudo comprobar %2. No se envió nada.</translation>
    </message>
    <message>
        <source>The folder %1 does not answer, so %2 could not be checked. The editor was not started.</source>
        <comment>1004</comment>
        <translation>La carpeta %1 no responde, por lo que no se pudo comprobar %2. No se inició el editor.</translation>
    </message>
    <message>
        <source>%1 %2 sent to %3 at %4</source>
        <comment>1005</comment>
        <translation>%1 %2 enviado a %3 a las %4</translation>
    </message>
    <message>
        <source>The request &quot;%1&quot; contains a control character (shown in angle brackets). Nothing was sent or started.</source>
        <comment>1006</comment>
        <translation>La solicitud «%1» contiene un carácter de control (se muestra entre corchetes angulares). No se envió ni se inició nada.</translation>
    </message>
    <message>
        <source>The file %1 does not lie in the folder %2 of this action. Nothing was sent or started.</source>
        <comment>1007</comment>
        <translation>El archivo %1 no se encuentra en la carpeta %2 de esta acción. No se envió ni se inició nada.</translation>
    </message>
    <message>
        <source>No folder of this action is shown (%1), so no file can be named. Nothing was sent or started.</source>
        <comment>1008</comment>
        <translation>No se muestra ninguna carpeta de esta acción (%1), por lo que no se puede indicar ningún archivo. No se envió ni se inició nada.</translation>
    </message>
    <message>
        <source>The name of the file %1 is not valid text in this workstation&apos;s character encoding (the unreadable characters are shown as �). Rename the file. Nothing was sent or started.</source>
        <comment>1009</comment>
        <translation>El nombre del archivo %1 no es un texto válido en la codificación de caracteres de esta estación de trabajo (los caracteres ilegibles se muestran como �). Cambie el nombre del archivo. No se envió ni se inició nada.</translation>
    </message>
    <message>
        <source>The request &quot;%1&quot; contains characters that cannot be sent to the DNC server in this workstation&apos;s character encoding. Nothing was sent.</source>
        <comment>1010</comment>
        <translation>La solicitud «%1» contiene caracteres que no se pueden enviar al servidor DNC en la codificación de caracteres de esta estación de trabajo. No se envió nada.</translation>
    </message>
    <message>
        <source>Invalid port number %1.</source>
        <comment>1011</comment>
        <translation>El número de puerto %1 no es válido.</translation>
    </message>
    <message>
        <source>The request could not be sent to the DNC server at IP Address %1 and Port %2 within %3 seconds. The connection was closed.</source>
        <comment>1012</comment>
        <translation>No se pudo enviar la solicitud al servidor DNC en la dirección IP %1 y el puerto %2 en %3 segundos. Se cerró la conexión.</translation>
    </message>
    <message>
        <source>The database %1 could not be opened: it did not answer within %2 seconds.</source>
        <comment>1013</comment>
        <translation>No se pudo abrir la base de datos %1: no respondió en %2 segundos.</translation>
    </message>
    <message>
        <source>%1 is already running, but its window does not answer. Close it, or end it in the list of running programs, and start %1 again.</source>
        <comment>1014</comment>
        <translation>%1 ya se está ejecutando, pero su ventana no responde. Ciérrela, o finalícela en la lista de programas en ejecución, y vuelva a iniciar %1.</translation>
    </message>
    <message>
        <source>The machine with MACHINE_ID %1 is no longer in the database, so this station cannot be saved. The machines have been read again from the database: check them and press Next.</source>
        <comment>1015</comment>
        <translation>La máquina con MACHINE_ID %1 ya no está en la base de datos, por lo que no se puede guardar esta estación. Se han vuelto a leer las máquinas de la base de datos: revíselas y pulse Siguiente.</translation>
    </message>
    <message>
        <source>The station was saved, but the database path could not be stored in your settings. Check that your settings folder may be written, then press Finish again.</source>
        <comment>1016</comment>
        <translation>La estación se guardó, pero la ruta de la base de datos no se pudo almacenar en su configuración. Compruebe que se puede escribir en su carpeta de configuración y vuelva a pulsar Finalizar.</translation>
    </message>
    <message>
        <source>The reason is unknown.</source>
        <comment>1017</comment>
        <translation>Se desconoce el motivo.</translation>
    </message>
    <message>
        <source>The database %1 could not be opened.</source>
        <comment>1018</comment>
        <translation>No se pudo abrir la base de datos %1.</translation>
    </message>
    <message>
        <source>SQLite databases (*.sqlite *.sqlite3 *.db)</source>
        <comment>1019</comment>
        <translation>Bases de datos SQLite (*.sqlite *.sqlite3 *.db)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <comment>1020</comment>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>The database address %1 is not a valid PostgreSQL URL.</source>
        <comment>1021</comment>
        <translation>La dirección de base de datos %1 no es una URL de PostgreSQL válida.</translation>
    </message>
    <message>
        <source>The database address %1 names no database (postgresql://user@host:port/dbname).</source>
        <comment>1022</comment>
        <translation>La dirección de base de datos %1 no indica ninguna base de datos (postgresql://user@host:port/dbname).</translation>
    </message>
    <message>
        <source>The Access file %1 could not be opened with either ODBC driver.</source>
        <comment>1023</comment>
        <translation>No se pudo abrir el archivo de Access %1 con ninguno de los dos controladores ODBC.</translation>
    </message>
    <message>
        <source>no answer</source>
        <comment>1024</comment>
        <translation>sin respuesta</translation>
    </message>
    <message>
        <source>No database is configured.</source>
        <comment>1025</comment>
        <translation>No hay ninguna base de datos configurada.</translation>
    </message>
    <message>
        <source>The database %1 is an Access file, and the ODBC driver for Access files is not available on this computer. Copy it into an SQLite database with &quot;qspindrel-config import-mdb&quot;.</source>
        <comment>1026</comment>
        <translation>La base de datos %1 es un archivo de Access y el controlador ODBC para archivos de Access no está disponible en este equipo. Cópiela a una base de datos SQLite con «qspindrel-config import-mdb».</translation>
    </message>
    <message>
        <source>The database file %1 does not exist.</source>
        <comment>1027</comment>
        <translation>El archivo de base de datos %1 no existe.</translation>
    </message>
    <message>
        <source>The database driver %1 is not installed.</source>
        <comment>1028</comment>
        <translation>El controlador de base de datos %1 no está instalado.</translation>
    </message>
    <message>
        <source>no reason was given</source>
        <comment>1029</comment>
        <translation>no se indicó ningún motivo</translation>
    </message>
    <message>
        <source>The database %1 could not be opened: %2</source>
        <comment>1030</comment>
        <translation>No se pudo abrir la base de datos %1: %2</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <comment>1031</comment>
        <translation>La base de datos no está abierta.</translation>
    </message>
    <message>
        <source>The column %1 is missing from the result of the query.</source>
        <comment>1032</comment>
        <translation>Falta la columna %1 en el resultado de la consulta.</translation>
    </message>
    <message>
        <source>The column %1 of machine %2 is null.</source>
        <comment>1033</comment>
        <translation>La columna %1 de la máquina %2 no tiene valor (NULL).</translation>
    </message>
    <message>
        <source>The column %1 of machine %2 holds &quot;%3&quot;, which is not a whole number.</source>
        <comment>1034</comment>
        <translation>La columna %1 de la máquina %2 contiene «%3», que no es un número entero.</translation>
    </message>
    <message>
        <source>in row %1</source>
        <comment>1035</comment>
        <translation>en la fila %1</translation>
    </message>
    <message>
        <source>The edit mode %1 of MACHINE_ID %2 is not 0, 1 or 2.</source>
        <comment>1036</comment>
        <translation>El modo de edición %1 de MACHINE_ID %2 no es 0, 1 ni 2.</translation>
    </message>
    <message>
        <source>The command type %1 of MACHINE_ID %2 is not 0, 1 or 2.</source>
        <comment>1037</comment>
        <translation>El tipo de comando %1 de MACHINE_ID %2 no es 0, 1 ni 2.</translation>
    </message>
    <message>
        <source>The change could not be started: %1</source>
        <comment>1038</comment>
        <translation>No se pudo iniciar el cambio: %1</translation>
    </message>
    <message>
        <source>The row of MACHINE_ID %1 could not be added: %2</source>
        <comment>1039</comment>
        <translation>No se pudo añadir la fila de MACHINE_ID %1: %2</translation>
    </message>
    <message>
        <source>The change could not be committed: %1</source>
        <comment>1040</comment>
        <translation>No se pudo confirmar el cambio: %1</translation>
    </message>
</context>
</TS>
