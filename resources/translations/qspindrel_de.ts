<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Messages</name>
    <message>
        <source>Database</source>
        <comment>101</comment>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>102</comment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <comment>103</comment>
        <translation>&amp;Abbr.</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <comment>104</comment>
        <translation>&lt; &amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <comment>105</comment>
        <translation>&amp;Weiter &gt;</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <comment>106</comment>
        <translation>&amp;Fertig</translation>
    </message>
    <message>
        <source>Machine Number</source>
        <comment>107</comment>
        <translation>Maschinen-Nr.</translation>
    </message>
    <message>
        <source>IP Address</source>
        <comment>108</comment>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <comment>109</comment>
        <translation>Port</translation>
    </message>
    <message>
        <source>Add &amp;Machine</source>
        <comment>110</comment>
        <translation>&amp;Neue Maschine</translation>
    </message>
    <message>
        <source>&amp;Delete Machine</source>
        <comment>111</comment>
        <translation>Maschine &amp;löschen</translation>
    </message>
    <message>
        <source>Delete &amp;All</source>
        <comment>112</comment>
        <translation>&amp;Alle löschen</translation>
    </message>
    <message>
        <source>&amp;Copy Machine</source>
        <comment>113</comment>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Add Machine</source>
        <comment>114</comment>
        <translation>Maschine hinzufügen</translation>
    </message>
    <message>
        <source>Delete Machine</source>
        <comment>115</comment>
        <translation>Maschine löschen</translation>
    </message>
    <message>
        <source>Copy Machine</source>
        <comment>116</comment>
        <translation>Maschine kopieren</translation>
    </message>
    <message>
        <source>%1 - Select a Database</source>
        <comment>117</comment>
        <translation>%1 - Datenbank auswählen</translation>
    </message>
    <message>
        <source>%1 - Define Machines</source>
        <comment>118</comment>
        <translation>%1 - Maschinen festlegen</translation>
    </message>
    <message>
        <source>The Machine Number cannot be empty.</source>
        <comment>119</comment>
        <translation>Die Maschinennummer darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The IP Address cannot be empty.</source>
        <comment>120</comment>
        <translation>Die IP-Adresse darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The Port cannot be empty.</source>
        <comment>121</comment>
        <translation>Der Port darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The combination of Machine Number, Machine Name, IP Address, and Port must be unique.</source>
        <comment>122</comment>
        <translation>Die Kombination aus Maschinennummer, Maschinenname, IP-Adresse und Port muss eindeutig sein.</translation>
    </message>
    <message>
        <source>Select a File</source>
        <comment>123</comment>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Microsoft Access Databases (*.mdb)|*.mdb</source>
        <comment>124</comment>
        <translation>Microsoft Access-Datenbanken (*.mdb)|*.mdb</translation>
    </message>
    <message>
        <source>Not Applicable</source>
        <comment>125</comment>
        <translation>Nicht zutreffend</translation>
    </message>
    <message>
        <source>The Database %1 could not be found.</source>
        <comment>126</comment>
        <translation>Die Datenbank %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The Machine Name cannot be empty.</source>
        <comment>127</comment>
        <translation>Der Maschinenname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Machine Name</source>
        <comment>128</comment>
        <translation>Maschinenname</translation>
    </message>
    <message>
        <source>New Machine</source>
        <comment>129</comment>
        <translation>Neue Maschine</translation>
    </message>
    <message>
        <source>Internal errors occurred while deleting Machine Per PC records.</source>
        <comment>130</comment>
        <translation>Beim Löschen der Datensätze „Maschine pro PC“ sind interne Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Internal errors occurred while deleting Machine records.</source>
        <comment>131</comment>
        <translation>Beim Löschen der Maschinendatensätze sind interne Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Convert All File Names To UNC Names</source>
        <comment>132</comment>
        <translation>Alle Dateinamen in UNC-Namen umwandeln</translation>
    </message>
    <message>
        <source>%1 - Select Machines For PC %2</source>
        <comment>133</comment>
        <translation>%1 - Maschinen für PC %2 auswählen</translation>
    </message>
    <message>
        <source>%1 - Select Send Options</source>
        <comment>134</comment>
        <translation>%1 - Sendeoptionen auswählen</translation>
    </message>
    <message>
        <source>%1 - Select Receive Options</source>
        <comment>135</comment>
        <translation>%1 - Empfangsoptionen auswählen</translation>
    </message>
    <message>
        <source>Enabled</source>
        <comment>136</comment>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Edit Mode</source>
        <comment>137</comment>
        <translation>Editiermodus</translation>
    </message>
    <message>
        <source>Command Type</source>
        <comment>138</comment>
        <translation>Befehlsart</translation>
    </message>
    <message>
        <source>None</source>
        <comment>139</comment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>View Only</source>
        <comment>140</comment>
        <translation>Nur anzeigen</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>141</comment>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Send</source>
        <comment>142</comment>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Receive</source>
        <comment>143</comment>
        <translation>Empfangen</translation>
    </message>
    <message>
        <source>Both</source>
        <comment>144</comment>
        <translation>Beides</translation>
    </message>
    <message>
        <source>Remote Command</source>
        <comment>145</comment>
        <translation>Fernbefehl</translation>
    </message>
    <message>
        <source>Extension</source>
        <comment>146</comment>
        <translation>Dateiendung</translation>
    </message>
    <message>
        <source>Directory</source>
        <comment>147</comment>
        <translation>Verzeichnis</translation>
    </message>
    <message>
        <source>Browse</source>
        <comment>148</comment>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>The Edit Mode cannot be empty.</source>
        <comment>149</comment>
        <translation>Der Editiermodus darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The Command Type cannot be empty.</source>
        <comment>150</comment>
        <translation>Die Befehlsart darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The Remote Command cannot be empty.</source>
        <comment>151</comment>
        <translation>Der Fernbefehl darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The Directory cannot be empty.</source>
        <comment>152</comment>
        <translation>Das Verzeichnis darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The Directory %1 does not exist.</source>
        <comment>153</comment>
        <translation>Das Verzeichnis %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>The Directory is invalid.</source>
        <comment>154</comment>
        <translation>Das Verzeichnis ist ungültig.</translation>
    </message>
    <message>
        <source>My Computer</source>
        <comment>155</comment>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>Select a directory</source>
        <comment>156</comment>
        <translation>Verzeichnis auswählen</translation>
    </message>
    <message>
        <source>Send to CNC</source>
        <comment>157</comment>
        <translation>An CNC senden</translation>
    </message>
    <message>
        <source>Receive from CNC</source>
        <comment>158</comment>
        <translation>Von CNC holen</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>159</comment>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>View</source>
        <comment>160</comment>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>%1 - Select a Machine</source>
        <comment>161</comment>
        <translation>%1 - Maschine auswählen</translation>
    </message>
    <message>
        <source>%1 - Select an Action</source>
        <comment>162</comment>
        <translation>%1 - Aktion auswählen</translation>
    </message>
    <message>
        <source>%1 - Select a File</source>
        <comment>163</comment>
        <translation>%1 - Datei auswählen</translation>
    </message>
    <message>
        <source>No database was specified.  Contact your Administrator to configure %1.</source>
        <comment>164</comment>
        <translation>Es wurde keine Datenbank angegeben.  Wenden Sie sich an Ihren Administrator, um %1 einzurichten.</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>165</comment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <comment>166</comment>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <comment>167</comment>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>This PC has no machines specified.  Contact your admistrator to configure %1 on this PC.</source>
        <comment>168</comment>
        <translation>Für diesen PC sind keine Maschinen festgelegt.  Wenden Sie sich an Ihren Administrator, um %1 auf diesem PC einzurichten.</translation>
    </message>
    <message>
        <source>File Name</source>
        <comment>169</comment>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <comment>170</comment>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>The File %1 does not exist.</source>
        <comment>171</comment>
        <translation>Die Datei %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Select a Machine Icon</source>
        <comment>172</comment>
        <translation>Maschinensymbol auswählen</translation>
    </message>
    <message>
        <source>Icon</source>
        <comment>173</comment>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Please enter a positive integer for Port.</source>
        <comment>174</comment>
        <translation>Bitte geben Sie für den Port eine positive ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Port must be less than or equal to %1.</source>
        <comment>175</comment>
        <translation>Der Port muss kleiner oder gleich %1 sein.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <comment>176</comment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>A File must be selected in order to perform this action.</source>
        <comment>177</comment>
        <translation>Für diese Aktion muss eine Datei ausgewählt sein.</translation>
    </message>
    <message>
        <source>The File %1 already exists.  Do you want to overwrite the existing file?</source>
        <comment>178</comment>
        <translation>Die Datei %1 ist bereits vorhanden.  Möchten Sie die vorhandene Datei überschreiben?</translation>
    </message>
    <message>
        <source>Go</source>
        <comment>179</comment>
        <translation>Los</translation>
    </message>
    <message>
        <source>%1 was unable to connect to Quorvane DNC at IP Address %2 and Port %3.</source>
        <comment>180</comment>
        <translation>%1 konnte keine Verbindung zu Quorvane DNC unter IP-Adresse %2 und Port %3 herstellen.</translation>
    </message>
    <message>
        <source>The directory %1 was not found.  Contact your admistrator to configure %2.</source>
        <comment>181</comment>
        <translation>Das Verzeichnis %1 wurde nicht gefunden.  Wenden Sie sich an Ihren Administrator, um %2 einzurichten.</translation>
    </message>
    <message>
        <source>At least one machine must be enabled on this PC to continue.</source>
        <comment>182</comment>
        <translation>Auf diesem PC muss mindestens eine Maschine aktiviert sein, um fortzufahren.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>183</comment>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>Shift</source>
        <comment>184</comment>
        <translation>Umsch</translation>
    </message>
    <message>
        <source>Bksp</source>
        <comment>185</comment>
        <translation>Rück</translation>
    </message>
    <message>
        <source>Enter a File Name</source>
        <comment>186</comment>
        <translation>Dateinamen eingeben</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>187</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>On-Screen Keyboard</source>
        <comment>188</comment>
        <translation>Bildschirmtastatur</translation>
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
        <translation>Das Verzeichnis %1 ist ein verstecktes Verzeichnis, daher kann %2 den Inhalt des Ordners nicht anzeigen.</translation>
    </message>
    <message>
        <source>The directory %1 is a System directory, so %2 is unable to display the folder contents.</source>
        <comment>192</comment>
        <translation>Das Verzeichnis %1 ist ein Systemverzeichnis, daher kann %2 den Inhalt des Ordners nicht anzeigen.</translation>
    </message>
    <message>
        <source>The directory %1 is an Alias directory, so %2 is unable to display the folder contents.</source>
        <comment>193</comment>
        <translation>Das Verzeichnis %1 ist ein Alias-Verzeichnis, daher kann %2 den Inhalt des Ordners nicht anzeigen.</translation>
    </message>
    <message>
        <source>The directory %1 is a Hidden directory, so you cannot select this directory.</source>
        <comment>194</comment>
        <translation>Das Verzeichnis %1 ist ein verstecktes Verzeichnis und kann daher nicht ausgewählt werden.</translation>
    </message>
    <message>
        <source>The directory %1 is a System directory, so you cannot select this directory.</source>
        <comment>195</comment>
        <translation>Das Verzeichnis %1 ist ein Systemverzeichnis und kann daher nicht ausgewählt werden.</translation>
    </message>
    <message>
        <source>The directory %1 is an Alias directory, so you cannot select this directory.</source>
        <comment>196</comment>
        <translation>Das Verzeichnis %1 ist ein Alias-Verzeichnis und kann daher nicht ausgewählt werden.</translation>
    </message>
    <message>
        <source>%1 - Select Machines For User %2</source>
        <comment>197</comment>
        <translation>%1 - Maschinen für Benutzer %2 auswählen</translation>
    </message>
    <message>
        <source>User %1 has no machines specified.  Contact your admistrator to configure %2 for this User.</source>
        <comment>198</comment>
        <translation>Für den Benutzer %1 sind keine Maschinen festgelegt.  Wenden Sie sich an Ihren Administrator, um %2 für diesen Benutzer einzurichten.</translation>
    </message>
    <message>
        <source>At least one machine must be enabled for this User to continue.</source>
        <comment>199</comment>
        <translation>Für diesen Benutzer muss mindestens eine Maschine aktiviert sein, um fortzufahren.</translation>
    </message>
    <message>
        <source>Reading…</source>
        <comment>1001</comment>
        <translation>Wird gelesen…</translation>
    </message>
    <message>
        <source>The folder %1 does not answer.</source>
        <comment>1002</comment>
        <translation>Der Ordner %1 antwortet nicht.</translation>
    </message>
    <message>
        <source>The folder %1 does not answer, so %2 could not be checked. Nothing was sent.</source>
        <comment>1003</comment>
        <translation>Der Ordner %1 antwortet nicht, daher konnte %2 nicht geprüft werden. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The folder %1 does not answer, so %2 could not be checked. The editor was not started.</source>
        <comment>1004</comment>
        <translation>Der Ordner %1 antwortet nicht, daher konnte %2 nicht geprüft werden. Der Editor wurde nicht gestartet.</translation>
    </message>
    <message>
        <source>%1 %2 sent to %3 at %4</source>
        <comment>1005</comment>
        <translation>%1 %2 um %4 an %3 gesendet</translation>
    </message>
    <message>
        <source>The request &quot;%1&quot; contains a control character (shown in angle brackets). Nothing was sent or started.</source>
        <comment>1006</comment>
        <translation>Die Anforderung „%1“ enthält ein Steuerzeichen (in spitzen Klammern dargestellt). Es wurde nichts gesendet oder gestartet.</translation>
    </message>
    <message>
        <source>The file %1 does not lie in the folder %2 of this action. Nothing was sent or started.</source>
        <comment>1007</comment>
        <translation>Die Datei %1 liegt nicht im Ordner %2 dieser Aktion. Es wurde nichts gesendet oder gestartet.</translation>
    </message>
    <message>
        <source>No folder of this action is shown (%1), so no file can be named. Nothing was sent or started.</source>
        <comment>1008</comment>
        <translation>Für diese Aktion wird kein Ordner angezeigt (%1), daher kann keine Datei angegeben werden. Es wurde nichts gesendet oder gestartet.</translation>
    </message>
    <message>
        <source>The name of the file %1 is not valid text in this workstation&apos;s character encoding (the unreadable characters are shown as �). Rename the file. Nothing was sent or started.</source>
        <comment>1009</comment>
        <translation>Der Name der Datei %1 ist in der Zeichenkodierung dieser Arbeitsstation kein gültiger Text (die unlesbaren Zeichen werden als � angezeigt). Benennen Sie die Datei um. Es wurde nichts gesendet oder gestartet.</translation>
    </message>
    <message>
        <source>The request &quot;%1&quot; contains characters that cannot be sent to the DNC server in this workstation&apos;s character encoding. Nothing was sent.</source>
        <comment>1010</comment>
        <translation>Die Anforderung „%1“ enthält Zeichen, die in der Zeichenkodierung dieser Arbeitsstation nicht an den DNC-Server gesendet werden können. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>Invalid port number %1.</source>
        <comment>1011</comment>
        <translation>Ungültige Portnummer %1.</translation>
    </message>
    <message>
        <source>The request could not be sent to the DNC server at IP Address %1 and Port %2 within %3 seconds. The connection was closed.</source>
        <comment>1012</comment>
        <translation>Die Anforderung konnte nicht innerhalb von %3 Sekunden an den DNC-Server unter IP-Adresse %1 und Port %2 gesendet werden. Die Verbindung wurde geschlossen.</translation>
    </message>
    <message>
        <source>The database %1 could not be opened: it did not answer within %2 seconds.</source>
        <comment>1013</comment>
        <translation>Die Datenbank %1 konnte nicht geöffnet werden: sie hat nicht innerhalb von %2 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>%1 is already running, but its window does not answer. Close it, or end it in the list of running programs, and start %1 again.</source>
        <comment>1014</comment>
        <translation>%1 läuft bereits, aber das Fenster reagiert nicht. Schließen Sie es oder beenden Sie es in der Liste der laufenden Programme, und starten Sie %1 dann erneut.</translation>
    </message>
    <message>
        <source>The machine with MACHINE_ID %1 is no longer in the database, so this station cannot be saved. The machines have been read again from the database: check them and press Next.</source>
        <comment>1015</comment>
        <translation>Die Maschine mit MACHINE_ID %1 ist nicht mehr in der Datenbank vorhanden, daher kann diese Station nicht gespeichert werden. Die Maschinen wurden erneut aus der Datenbank gelesen: Prüfen Sie sie und drücken Sie auf Weiter.</translation>
    </message>
    <message>
        <source>The station was saved, but the database path could not be stored in your settings. Check that your settings folder may be written, then press Finish again.</source>
        <comment>1016</comment>
        <translation>Die Station wurde gespeichert, aber der Datenbankpfad konnte nicht in Ihren Einstellungen abgelegt werden. Prüfen Sie, ob in Ihren Einstellungsordner geschrieben werden darf, und drücken Sie dann erneut auf Fertig.</translation>
    </message>
    <message>
        <source>The reason is unknown.</source>
        <comment>1017</comment>
        <translation>Der Grund ist unbekannt.</translation>
    </message>
    <message>
        <source>The database %1 could not be opened.</source>
        <comment>1018</comment>
        <translation>Die Datenbank %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>SQLite databases (*.sqlite *.sqlite3 *.db)</source>
        <comment>1019</comment>
        <translation>SQLite-Datenbanken (*.sqlite *.sqlite3 *.db)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <comment>1020</comment>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The database address %1 is not a valid PostgreSQL URL.</source>
        <comment>1021</comment>
        <translation>Die Datenbankadresse %1 ist keine gültige PostgreSQL-URL.</translation>
    </message>
    <message>
        <source>The database address %1 names no database (postgresql://user@host:port/dbname).</source>
        <comment>1022</comment>
        <translation>Die Datenbankadresse %1 nennt keine Datenbank (postgresql://user@host:port/dbname).</translation>
    </message>
    <message>
        <source>The Access file %1 could not be opened with either ODBC driver.</source>
        <comment>1023</comment>
        <translation>Die Access-Datei %1 konnte mit keinem der beiden ODBC-Treiber geöffnet werden.</translation>
    </message>
    <message>
        <source>no answer</source>
        <comment>1024</comment>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>No database is configured.</source>
        <comment>1025</comment>
        <translation>Es ist keine Datenbank eingerichtet.</translation>
    </message>
    <message>
        <source>The database %1 is an Access file, and the ODBC driver for Access files is not available on this computer. Copy it into an SQLite database with &quot;qspindrel-config import-mdb&quot;.</source>
        <comment>1026</comment>
        <translation>Die Datenbank %1 ist eine Access-Datei, und der ODBC-Treiber für Access-Dateien ist auf diesem Computer nicht verfügbar. Kopieren Sie sie mit „qspindrel-config import-mdb“ in eine SQLite-Datenbank.</translation>
    </message>
    <message>
        <source>The database file %1 does not exist.</source>
        <comment>1027</comment>
        <translation>Die Datenbankdatei %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>The database driver %1 is not installed.</source>
        <comment>1028</comment>
        <translation>Der Datenbanktreiber %1 ist nicht installiert.</translation>
    </message>
    <message>
        <source>no reason was given</source>
        <comment>1029</comment>
        <translation>es wurde kein Grund angegeben</translation>
    </message>
    <message>
        <source>The database %1 could not be opened: %2</source>
        <comment>1030</comment>
        <translation>Die Datenbank %1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <comment>1031</comment>
        <translation>Die Datenbank ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>The column %1 is missing from the result of the query.</source>
        <comment>1032</comment>
        <translation>Die Spalte %1 fehlt im Ergebnis der Abfrage.</translation>
    </message>
    <message>
        <source>The column %1 of machine %2 is null.</source>
        <comment>1033</comment>
        <translation>Die Spalte %1 der Maschine %2 hat keinen Wert (NULL).</translation>
    </message>
    <message>
        <source>The column %1 of machine %2 holds &quot;%3&quot;, which is not a whole number.</source>
        <comment>1034</comment>
        <translation>Die Spalte %1 der Maschine %2 enthält „%3“, was keine ganze Zahl ist.</translation>
    </message>
    <message>
        <source>in row %1</source>
        <comment>1035</comment>
        <translation>in Zeile %1</translation>
    </message>
    <message>
        <source>The edit mode %1 of MACHINE_ID %2 is not 0, 1 or 2.</source>
        <comment>1036</comment>
        <translation>Der Editiermodus %1 von MACHINE_ID %2 ist nicht 0, 1 oder 2.</translation>
    </message>
    <message>
        <source>The command type %1 of MACHINE_ID %2 is not 0, 1 or 2.</source>
        <comment>1037</comment>
        <translation>Die Befehlsart %1 von MACHINE_ID %2 ist nicht 0, 1 oder 2.</translation>
    </message>
    <message>
        <source>The change could not be started: %1</source>
        <comment>1038</comment>
        <translation>Die Änderung konnte nicht begonnen werden: %1</translation>
    </message>
    <message>
        <source>The row of MACHINE_ID %1 could not be added: %2</source>
        <comment>1039</comment>
        <translation>Die Zeile von MACHINE_ID %1 konnte nicht hinzugefügt werden: %2</translation>
    </message>
    <message>
        <source>The change could not be committed: %1</source>
        <comment>1040</comment>
        <translation>Die Änderung konnte nicht festgeschrieben werden: %1</translation>
    </message>
</context>
</TS>
